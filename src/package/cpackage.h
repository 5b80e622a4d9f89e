#pragma once

#include "compressedblock.h"
#include "packagesettings.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CEncryptedString;
class CPackageBinary;
class CPackageForm;
class PackageReader;

// The project package appended to the runtime: settings, form definitions,
// embedded files, variables and images, all kept as stored.
class CPackage {
public:
    using FormList = std::vector<std::unique_ptr<CPackageForm>>;
    using BinaryList = std::vector<std::unique_ptr<CPackageBinary>>;
    using ValueList = std::vector<std::unique_ptr<CEncryptedString>>;
    using BinaryMap = std::map<std::wstring, std::unique_ptr<CPackageBinary>>;
    using ValueMap = std::map<std::wstring, std::unique_ptr<CEncryptedString>>;

    CPackage();
    ~CPackage();
    CPackage(const CPackage&) = delete;
    CPackage& operator=(const CPackage&) = delete;

    // Reads the whole record; false at the first failure, keeping what was
    // read so far.
    bool Read(PackageReader& reader);

    // Exact, case-sensitive look-ups; null when absent. The package keeps
    // ownership.
    CPackageBinary* FindBinary(const std::wstring& name) const;
    CEncryptedString* FindString(const std::wstring& name) const;

    std::wstring GetPassword() const { return m_settings.password; }
    // The expanded image files; false when absent or damaged.
    bool GetSplashImage(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const;
    bool GetTrayIcon(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const;

    const PackageSettings& Settings() const { return m_settings; }
    const FormList& Forms() const { return m_forms; }
    const BinaryList& EmbeddedFiles() const { return m_embeddedFiles; }
    const ValueMap& SecureVariables() const { return m_secureVariables; }
    const BinaryMap& LibraryFiles() const { return m_libraryFiles; }
    const ValueList& ReservedValues() const { return m_reservedValues; }
    const ValueMap& GlobalVariables() const { return m_globalVariables; }
    const CompressedBlock& SplashBlock() const { return m_splashBlock; }
    const CompressedBlock& TrayBlock() const { return m_trayBlock; }
    const CompressedBlock& ReservedBlock1() const { return m_reservedBlock1; }
    const CompressedBlock& ReservedBlock2() const { return m_reservedBlock2; }

private:
    bool ReadBaseFields(PackageReader& reader);
    bool ReadVersion5Fields(PackageReader& reader);
    bool ReadReservedTexts(PackageReader& reader);

    PackageSettings m_settings;
    FormList m_forms;
    BinaryList m_embeddedFiles;
    ValueMap m_secureVariables;
    BinaryMap m_libraryFiles;
    ValueList m_reservedValues;
    CompressedBlock m_splashBlock;
    CompressedBlock m_trayBlock;
    ValueMap m_globalVariables;
    CompressedBlock m_reservedBlock1;
    CompressedBlock m_reservedBlock2;
};
