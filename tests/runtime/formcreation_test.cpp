#include "formcreation.h"
#include "formsettings.h"
#include "packagesettings.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

namespace {

FormSettings PlainForm()
{
    FormSettings form;
    form.noCaption = false;
    return form;
}

TEST(FormCreation, InstanceParamsFollowTheDefinition)
{
    PackageSettings package;
    FormSettings form = PlainForm();
    form.backgroundColour = 0x00302010; // red 0x10, green 0x20, blue 0x30
    InstanceParams params = BuildInstanceParams(package, form);
    EXPECT_TRUE(params.menu && params.play && params.loop);
    EXPECT_EQ(wxString("#102030"), params.bgcolor);
    EXPECT_EQ(1, params.wmode);
    EXPECT_EQ(2, params.scale);
    EXPECT_EQ(32, params.quality);

    struct Case {
        int32_t windowType;
        bool direct, scale, keepAspect;
        int32_t mode, wmode, scaleMode;
    } cases[] = {
        {3, true, false, false, 0, 2, 2}, {0, true, true, false, 0, 4, 4},
        {0, false, true, true, 0, 1, 1},  {0, false, false, true, 0, 1, 2},
        {0, false, true, false, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowType * 1000 + c.direct * 100 + c.scale * 10 + c.keepAspect);
        form.windowType = c.windowType;
        form.direct = c.direct;
        form.scale = c.scale;
        form.keepAspect = c.keepAspect;
        package.mode = c.mode;
        params = BuildInstanceParams(package, form);
        EXPECT_EQ(c.wmode, params.wmode);
        EXPECT_EQ(c.scaleMode, params.scale);
    }
}

TEST(FormCreation, StyleFollowsFrameKindAndWindowType)
{
    PackageSettings package;
    package.showInTaskbar = true;
    FormSettings form = PlainForm();
    form.maximizeBox = form.minimizeBox = form.closeBox = true;
    const long boxes = wxMAXIMIZE_BOX | wxMINIMIZE_BOX | wxCLOSE_BOX;
    const long base = wxCAPTION | wxCLIP_CHILDREN | wxSYSTEM_MENU;
    struct Case {
        int32_t frameKind, windowType;
        long style;
    } cases[] = {
        {0, 0, base | boxes},
        {1, 0, base | boxes | wxRESIZE_BORDER},
        {2, 0, base | boxes | wxFRAME_TOOL_WINDOW},
        {3, 0, base | boxes | wxRESIZE_BORDER | wxFRAME_TOOL_WINDOW},
        {4, 0, base | wxCLOSE_BOX},
        {5, 0, (base & ~wxCAPTION) | boxes},
        {1, 2, wxCLIP_CHILDREN | wxSYSTEM_MENU | wxFRAME_SHAPED},
        {1, 3, wxCLIP_CHILDREN | wxSYSTEM_MENU},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameKind * 10 + c.windowType);
        form.frameKind = c.frameKind;
        form.windowType = c.windowType;
        EXPECT_EQ(c.style, FormStyle(package, form, 0));
    }
    form.frameKind = form.windowType = 0;
    form.noCaption = true;
    form.stayOnTop = true;
    package.showInTaskbar = false;
    EXPECT_EQ(wxCLIP_CHILDREN | wxSYSTEM_MENU | boxes | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP,
              FormStyle(package, form, 0));
    EXPECT_EQ(wxCLIP_CHILDREN | wxSYSTEM_MENU | boxes | wxFRAME_NO_TASKBAR | wxFRAME_FLOAT_ON_PARENT,
              FormStyle(package, form, 1));
}

TEST(FormCreation, SizeAndPositionInPixelsOrPercent)
{
    const wxSize display(1280, 1024);
    FormSettings form = PlainForm();
    form.width = 50;
    form.height = 25;
    form.x = 10;
    form.y = 20;
    EXPECT_EQ(wxSize(50, 25), FormSize(form, display));
    EXPECT_EQ(wxPoint(10, 20), FormPosition(form, display));
    form.sizeUnit = form.positionUnit = 1;
    EXPECT_EQ(wxSize(640, 256), FormSize(form, display));
    EXPECT_EQ(wxPoint(128, 205), FormPosition(form, display)); // 204.8 rounds up
    form.centre = true;
    EXPECT_EQ(wxPoint(320, 384), FormPosition(form, display));
    form.sizeUnit = form.positionUnit = 2;
    form.centre = false;
    EXPECT_EQ(wxSize(0, 0), FormSize(form, display));
    EXPECT_EQ(wxPoint(0, 0), FormPosition(form, display));
}

} // namespace
