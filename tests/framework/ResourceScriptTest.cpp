// The resource script as the simulation reads it: the program's own templates (with the
// style values the resource compiler gives them) and the reader's errors.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/ResourceScript.h"
#include "res/resource.h"

namespace {

using sim::ControlTemplate;
using sim::DialogTemplate;

const DialogTemplate& Dialog(int id) {
    const DialogTemplate* dialog = sim::ProgramResources().FindDialog(id);
    if (!dialog)
        throw std::out_of_range("no dialog " + std::to_string(id));
    return *dialog;
}

struct ControlRow {
    const char* className;
    const char* text;
    int id;
    int x, y, cx, cy;
    uint32_t style; // as the resource compiler writes it
};

void ExpectControls(const DialogTemplate& dialog, const std::vector<ControlRow>& rows) {
    ASSERT_EQ(rows.size(), dialog.controls.size()) << dialog.caption;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlTemplate& c = dialog.controls[i];
        const ControlRow& r = rows[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " of " + dialog.caption);
        EXPECT_EQ(r.className, c.className);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.id, c.id);
        EXPECT_EQ(r.x, c.x);
        EXPECT_EQ(r.y, c.y);
        EXPECT_EQ(r.cx, c.cx);
        EXPECT_EQ(r.cy, c.cy);
        EXPECT_EQ(r.style, c.style) << std::hex << c.style;
    }
}

TEST(ProgramResources, SetupDialogTemplate) {
    const DialogTemplate& d = Dialog(IDD_SETUP);
    EXPECT_EQ(102, IDD_SETUP);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ("PCI Audio Device Driver And Applications Setup Program", d.caption);
    EXPECT_EQ("MS Sans Serif", d.fontName);
    EXPECT_EQ(12, d.fontSize);
    EXPECT_EQ((std::vector<int>{0, 0, 142, 95}), (std::vector<int>{d.x, d.y, d.cx, d.cy}));
    EXPECT_EQ(0x90C800C0u, d.style);   // popup, visible, caption, system menu, modal frame, font
    EXPECT_EQ(0x00040000u, d.exStyle); // app window
    ExpectControls(
        d, {
               {"Button", "OK", 1, 19, 76, 50, 14, 0x50010001},
               {"Button", "Cancel", 2, 73, 76, 50, 14, 0x50010000},
               {"Button", "", -1, 5, 5, 132, 63, 0x50000007},
               {"Static", "Please wait .....", 1003, 34, 34, 71, 8, 0x40020000}, // hidden, group
               {"Button", "Install Applications", 1001, 34, 23, 96, 10, 0x50010003},
               {"Button", "Install Device Driver", 1002, 34, 43, 96, 10, 0x50010003},
           });
}

TEST(ProgramResources, AboutBoxTemplate) {
    const DialogTemplate& d = Dialog(IDD_ABOUT);
    EXPECT_EQ(100, IDD_ABOUT);
    EXPECT_FALSE(d.extended);
    EXPECT_EQ("About Setup", d.caption);
    EXPECT_EQ("MS Sans Serif", d.fontName);
    EXPECT_EQ(8, d.fontSize);
    EXPECT_EQ(235, d.cx);
    EXPECT_EQ(55, d.cy);
    EXPECT_EQ(0x80C800C0u, d.style); // as the setup dialog, but not visible by its style
    ExpectControls(
        d, {
               {"Static", "", -1, 11, 17, 20, 20, 0x50000003},
               {"Static", "Setup Version 1.0", -1, 40, 10, 119, 8, 0x50020080}, // no prefix, group
               {"Button", "OK", 1, 178, 7, 50, 14, 0x50030001},
           });
    EXPECT_EQ(IDI_SETUP, d.controls[0].iconId);
}

TEST(ProgramResources, DriverUpdateDialogTemplate) {
    const DialogTemplate& d = Dialog(IDD_DRIVER_UPDATE);
    EXPECT_EQ(103, IDD_DRIVER_UPDATE);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ("PCI Audio Device Driver Setup Program for Windows 95/98", d.caption);
    EXPECT_EQ(12, d.fontSize);
    EXPECT_EQ((std::vector<int>{0, 0, 212, 135}), (std::vector<int>{d.x, d.y, d.cx, d.cy}));
    EXPECT_EQ(0x90C800C0u, d.style);
    EXPECT_EQ(0x00040000u, d.exStyle);
    ExpectControls(
        d, {
               {"Button", "Install", 1, 51, 113, 50, 14, 0x50010001},
               {"Button", "Cancel", 2, 107, 113, 50, 14, 0x50010000},
               {"Static", "You can install the driver by using the default options, or select the",
                -1, 10, 6, 201, 10, 0x50020000},
               {"Button", "Disable MIDI port (device)", 1000, 41, 50, 94, 10, 0x50010003},
               {"Button", "Disable GAME port (device)", 1001, 41, 68, 99, 10, 0x50010003},
               {"Button", "4 phonejack (rear speakers jack individually)", 1002, 41, 86, 167, 10,
                0x50010003},
               {"Static", "[Install] to start the installation.", -1, 10, 33, 136, 8, 0x50020000},
               {"Static", "following options which your audio device uses. And then press", -1, 10,
                20, 181, 8, 0x50020000},
           });
}

TEST(ProgramResources, StringAndIcon) {
    ASSERT_NE(nullptr, sim::ProgramResources().FindString(101));
    EXPECT_EQ("&About Setup...", *sim::ProgramResources().FindString(IDS_ABOUT_ITEM));
    EXPECT_TRUE(sim::ProgramResources().HasIcon(128));
    EXPECT_EQ(16, IDM_ABOUT);
}

TEST(ResourceScript, ReadsNamesNotAndEscapes) {
    const sim::ResourceScript script = sim::ParseResourceScript(
        "#include \"x.h\"\n"
        "/* a\n comment */ 7 DIALOG 1, 2, 3, 4\n"
        "STYLE WS_POPUP | WS_CAPTION\n"
        "CAPTION \"Say \"\"hi\"\"\"\n"
        "BEGIN\n"
        "  PUSHBUTTON \"B\", ID_B, 1, 1, 10, 10, NOT WS_TABSTOP | WS_DISABLED\n"
        "  CONTROL \"C\", -1, BUTTON, BS_AUTOCHECKBOX, 1, 2, 3, 4\n"
        "END\n"
        "STRINGTABLE\nBEGIN\n  9, \"nine\"\nEND\n",
        "#define ID_B 0x20 // a comment\n#define GUARD\n");
    const DialogTemplate* d = script.FindDialog(7);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("Say \"hi\"", d->caption);
    EXPECT_EQ(0x80C00000u, d->style);
    ASSERT_EQ(2u, d->controls.size());
    EXPECT_EQ(0x20, d->controls[0].id);
    EXPECT_EQ(0x58000000u, d->controls[0].style); // child, visible, disabled; no tab stop
    EXPECT_EQ("Button", d->controls[1].className);
    EXPECT_EQ(0x50000003u, d->controls[1].style);
    EXPECT_EQ("nine", *script.FindString(9));
}

TEST(ResourceScript, RefusesWhatItDoesNotKnowNamingTheLine) {
    const char* const bad[] = {
        "1 DIALOG 0, 0, 1, 1\nSTYLE WS_UNKNOWN\nBEGIN\nEND\n",
        "1 DIALOG 0, 0, 1, 1\nBEGIN\n  LISTBOX 1, 0, 0, 1, 1\nEND\n",
        "1 MENU\nBEGIN\nEND\n",
        "1 DIALOG 0, 0, 1, 1\nCAPTION \"open\n",
        "1 DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"x\", 1, 0, 0, 1, 1\n",
    };
    for (const char* text : bad) {
        try {
            sim::ParseResourceScript(text, "");
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find("line ")) << e.what();
        }
    }
}

} // namespace
