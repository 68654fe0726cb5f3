// The program's resource script as the simulated machine reads it: the dialog templates, the
// string table and the icons of res/Setup.rc, with the ids of res/resource.h. Setup.exe links
// the same script compiled by the resource compiler, so both builds show the same dialogs.
//
// The reader knows the part of the resource language that the script uses: #define lines,
// DIALOG and DIALOGEX with STYLE, EXSTYLE, CAPTION and FONT, the control statements
// DEFPUSHBUTTON, PUSHBUTTON, GROUPBOX, LTEXT, AUTOCHECKBOX, ICON and CONTROL, STRINGTABLE,
// ICON resources and the style names listed in ResourceScript.cpp. Anything else is an
// error (std::runtime_error naming the line), so that the script cannot drift from what the
// simulation shows.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

namespace sim {

// Window and control styles (the Windows values) that the simulation looks at.
const uint32_t StylePopup = 0x80000000u;
const uint32_t StyleChild = 0x40000000u;
const uint32_t StyleVisible = 0x10000000u;
const uint32_t StyleDisabled = 0x08000000u;
const uint32_t StyleCaption = 0x00C00000u;
const uint32_t StyleSysMenu = 0x00080000u;
const uint32_t StyleGroup = 0x00020000u;
const uint32_t StyleTabStop = 0x00010000u;
const uint32_t DialogStyleSetFont = 0x40;
const uint32_t DialogStyleModalFrame = 0x80;
const uint32_t ExStyleAppWindow = 0x00040000u;
// The low four bits of a button's style: its type.
const uint32_t ButtonTypeMask = 0x0F;
const uint32_t ButtonPush = 0;
const uint32_t ButtonDefPush = 1;
const uint32_t ButtonCheckBox = 2;
const uint32_t ButtonAutoCheckBox = 3;
const uint32_t ButtonGroupBox = 7;
// The low bits of a static control's style: its type.
const uint32_t StaticTypeMask = 0x1F;
const uint32_t StaticLeft = 0;
const uint32_t StaticIcon = 3;
const uint32_t StaticNoPrefix = 0x80;

struct ControlTemplate {
    std::string statement; // the script's keyword: "DEFPUSHBUTTON", "LTEXT", "CONTROL", ...
    std::string className; // "Button" or "Static"
    std::string text;      // the title; empty for an icon
    int iconId = 0;        // an icon control's icon resource, 0 otherwise
    int id = 0;            // -1 for a control without an id of its own
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    uint32_t style = 0;
    uint32_t exStyle = 0;
};

struct DialogTemplate {
    int id = 0;
    bool extended = false;            // DIALOGEX
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::string caption;
    int fontSize = 0;
    std::string fontName;
    std::vector<ControlTemplate> controls; // in template order, which is the tab order
};

struct ResourceScript {
    std::map<std::string, long> symbols; // the #define names of the header and the script
    std::map<int, DialogTemplate> dialogs;
    std::map<int, std::string> strings;
    std::map<int, std::string> icons; // id to file name

    const DialogTemplate* FindDialog(int id) const;
    // The string, or nullptr when the table has none with this id.
    const std::string* FindString(int id) const;
    bool HasIcon(int id) const { return icons.count(id) != 0; }
};

// Reads a script and its header. Throws std::runtime_error on anything it does not know.
ResourceScript ParseResourceScript(const std::string& scriptText, const std::string& headerText);

// The program's own resources (res/Setup.rc with res/resource.h, built into the
// simulation), read once.
const ResourceScript& ProgramResources();

} // namespace sim
