#pragma once

#include <array>
#include <cstdint>
#include <string>

// The plain fields of the package record, in record order. Forms, files,
// variables and image blocks live in CPackage.
struct PackageSettings {
    int32_t mode = 0;
    std::wstring reservedText1;
    std::wstring reservedText2;
    bool trayIcon = false;
    bool showInTaskbar = false;
    bool splash = false;
    std::wstring reservedText3;
    int32_t reservedNumber1 = 0;
    int32_t reservedNumber2 = 0;
    int32_t splashTime = 0;
    // from package version 5
    int32_t reservedNumber3 = 0;
    int32_t reservedNumber4 = 0;
    int32_t reservedNumber5 = 0;
    int32_t reservedNumber6 = 0;
    bool reservedFlag1 = false;
    std::wstring reservedText4;
    bool passwordRequired = false;
    int32_t reservedNumber7 = 0;
    // from version 7
    std::wstring password;
    // from version 10 (texts 5 to 11)
    std::array<std::wstring, 7> reservedTexts;
    // from version 11
    bool reservedFlag2 = false;
};
