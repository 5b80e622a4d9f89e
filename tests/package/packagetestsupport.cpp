#include "packagetestsupport.h"

#include "cpackage.h"
#include "packageconstants.h"
#include "packagelocator.h"
#include "packagereader.h"
#include "packagewriter.h"
#include "scratchfolder.h"
#include "wholefile.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>

std::wstring WriteScratchFile(const ByteVector& bytes)
{
    static ScratchFolder folder;
    const std::wstring path = folder / L"package.bin";
    if (!WriteWholeFile(path, bytes.data(), static_cast<long>(bytes.size())))
        throw std::runtime_error("cannot write the scratch file");
    return path;
}

bool ReadPackageBytes(const ByteVector& bytes, CPackage& package)
{
    std::FILE* file = OpenFileWide(WriteScratchFile(bytes), L"rb");
    if (!file)
        throw std::runtime_error("cannot open the scratch file");
    PackageReader streamReader(file, true);
    CPackage fromStream;
    const bool streamRead = fromStream.Read(streamReader);
    // The runtime reads from memory (a view of its file). An exact-size copy,
    // so that a read past the end shows under the sanitizers.
    const auto copy = std::make_shared<const ByteVector>(bytes);
    PackageReader reader(copy->data(), copy->size(), copy);
    const bool read = package.Read(reader);
    EXPECT_EQ(streamRead, read) << "the stream and memory readers disagree";
    return read;
}

bool LoadExecutableImage(const ByteVector& image, CPackage& package)
{
    return LoadPackageFromFile(WriteScratchFile(image), package);
}

ByteVector Pattern(size_t length, unsigned seed)
{
    ByteVector bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<unsigned char>(seed + i * 7 + (i >> 8));
    return bytes;
}

const std::string& RsaKeyPem(int bits)
{
    static std::map<int, std::string> keys;
    std::string& pem = keys[bits];
    if (!pem.empty())
        return pem;
    EVP_PKEY* key = EVP_RSA_gen(static_cast<unsigned>(bits));
    BIO* bio = BIO_new(BIO_s_mem());
    if (!key || !bio || PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        throw std::runtime_error("cannot make an RSA key");
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    pem.assign(data, static_cast<size_t>(length));
    BIO_free(bio);
    EVP_PKEY_free(key);
    return pem;
}

std::string EncipheredPem(const std::string& pem, const std::string& passPhrase)
{
    BIO* in = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    EVP_PKEY* key = in ? PEM_read_bio_PrivateKey(in, nullptr, nullptr, nullptr) : nullptr;
    BIO* out = BIO_new(BIO_s_mem());
    std::string phrase = passPhrase;
    if (!key || !out
        || PEM_write_bio_PKCS8PrivateKey(out, key, EVP_aes_128_cbc(), phrase.data(), static_cast<int>(phrase.size()),
                                         nullptr, nullptr) != 1)
        throw std::runtime_error("cannot encipher the PEM key");
    char* data = nullptr;
    const long length = BIO_get_mem_data(out, &data);
    const std::string text(data, static_cast<size_t>(length));
    BIO_free(out);
    EVP_PKEY_free(key);
    BIO_free(in);
    return text;
}

FormContent FullForm(int32_t version)
{
    FormContent form;
    form.version = version;
    FormSettings& s = form.settings;
    s.name = L"main \u00E9";
    s.centre = true;
    s.x = -5;
    s.y = 7;
    s.sizeUnit = 1;
    s.width = 640;
    s.height = 480;
    s.windowType = 3;
    s.frameKind = 5;
    s.maximizeBox = true;
    s.minimizeBox = true;
    s.closeBox = true;
    s.initialState = 2;
    s.scale = true;
    s.keepAspect = true;
    s.visible = true;
    s.stayOnTop = true;
    s.reservedNumber1 = 11;
    s.reservedNumber2 = 12;
    s.fadeTarget = 200;
    s.fadeInterval = 15;
    s.reservedNumber3 = 13;
    s.fadeOutOnClose = 1;
    s.reservedText = L"reserved";
    s.escapeCloses = true;
    s.altF4Allowed = true;
    s.backgroundColour = 0x00336699;
    s.noCaption = false;
    s.leftButtonMode = 2;
    s.middleButtonMode = 1;
    s.rightButtonMode = 1;
    s.title = L"Title";
    s.positionUnit = 1;
    s.reservedFlag = true;
    s.reservedNumber4 = 14;
    s.reservedNumber5 = 15;
    s.reservedNumber6 = 16;
    s.movieVersion = 10;
    s.direct = true;
    form.movie = {'F', 'W', 'S', 9, 1, 2, 3, 4, 5};
    form.mask.image = Pattern(300, 4);
    form.secondMovie = {'C', 'W', 'S', 8, 9, 9};
    form.reservedBlock = Pattern(5, 1);
    return form;
}

PackageContent FullPackage(int32_t version)
{
    PackageContent package;
    package.version = version;
    PackageSettings& s = package.settings;
    s.mode = 1;
    s.reservedText1 = L"r1";
    s.reservedText2 = L"r2";
    s.trayIcon = true;
    s.showInTaskbar = true;
    s.splash = true;
    s.reservedText3 = L"r3";
    s.reservedNumber1 = 101;
    s.reservedNumber2 = 102;
    s.splashTime = 1500;
    s.reservedNumber3 = 103;
    s.reservedNumber4 = 104;
    s.reservedNumber5 = 105;
    s.reservedNumber6 = 106;
    s.reservedFlag1 = true;
    s.reservedText4 = L"r4";
    s.passwordRequired = true;
    s.reservedNumber7 = 107;
    s.password = L"s\u00E9cret";
    for (size_t i = 0; i < s.reservedTexts.size(); ++i)
        s.reservedTexts[i] = L"t" + std::to_wstring(i + 5);
    s.reservedFlag2 = true;

    package.forms = {FullForm(14), FullForm(1)};
    package.forms[1].settings.name = L"second";
    package.embeddedFiles = {{3, {'M', 'Z', 1, 2}}, {1, {}}};
    ValueContent textValue;
    textValue.storageKind = 0;
    textValue.text = L"plain stored";
    ValueContent enciphered;
    enciphered.text = L"secure \u00E9";
    package.secureVariables = {{L"key", enciphered}, {L"other", textValue}};
    package.libraryFiles = {{L"lib/a.txt", {2, Pattern(40, 9)}}};
    package.reservedValues = {enciphered, textValue};
    package.splash.image = Pattern(2000, 1);
    package.tray.image = Pattern(700, 2);
    ValueContent global;
    global.text = L"global value";
    package.globalVariables = {{L"g", global}};
    package.reservedBlock1 = {77, Pattern(6, 3)};
    package.reservedBlock2 = {88, Pattern(3, 5)};
    return package;
}

ByteVector WritePackage(const PackageContent& content)
{
    PackageWriter writer;
    writer.WritePackage(content);
    return writer.Bytes();
}
