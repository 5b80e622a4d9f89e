#pragma once

#include <cstdint>
#include <string>

// The plain settings of a form definition, in record order. The stored
// blocks (movies, mask, key block) live in CPackageForm.
struct FormSettings {
    std::wstring name;
    bool centre = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t sizeUnit = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t windowType = 0;
    int32_t frameKind = 0;
    bool maximizeBox = false;
    bool minimizeBox = false;
    bool closeBox = false;
    int32_t initialState = 0;
    bool scale = false;
    bool keepAspect = false;
    bool visible = false;
    bool stayOnTop = false;
    int32_t reservedNumber1 = 0;
    int32_t reservedNumber2 = 0;
    int32_t fadeTarget = 0;
    int32_t fadeInterval = 0;
    int32_t reservedNumber3 = 0;
    int32_t fadeOutOnClose = 0;
    std::wstring reservedText;
    bool escapeCloses = false;
    bool altF4Allowed = false;
    // from definition version 3
    int32_t backgroundColour = 0;
    // from version 4
    bool noCaption = true;
    // from version 5
    int32_t leftButtonMode = 0;
    int32_t middleButtonMode = 0;
    int32_t rightButtonMode = 0;
    // from version 6
    std::wstring title = L"form";
    // from version 7
    int32_t positionUnit = 0;
    // from version 9
    bool reservedFlag = false;
    int32_t reservedNumber4 = 0;
    // from version 10
    int32_t reservedNumber5 = 0;
    int32_t reservedNumber6 = 0;
    // from version 12
    int32_t movieVersion = 0;
    // from version 14
    bool direct = false;
};
