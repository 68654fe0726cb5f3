// Resource ids of Setup.rc, shared by the resource script and the program.
#ifndef SETUP_RESOURCE_H
#define SETUP_RESOURCE_H

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_SETUP 102
#define IDD_DRIVER_UPDATE 103

// Strings.
#define IDS_ABOUT_ITEM 101

// Icons.
#define IDI_SETUP 128

// Controls without an id of their own.
#define IDC_STATIC -1

// Controls of the setup dialog.
#define IDC_INSTALL_APPS 1001
#define IDC_INSTALL_DRIVER 1002
#define IDC_PLEASE_WAIT 1003

// Controls of the driver update dialog.
#define IDC_MIDI_PORT 1000
#define IDC_GAME_PORT 1001
#define IDC_FOUR_JACK 1002

// The about item of the setup dialog's system menu (a system command id: its low four bits
// are free for the system).
#define IDM_ABOUT 0x0010

#endif
