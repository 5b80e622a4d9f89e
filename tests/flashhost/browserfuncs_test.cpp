// The host's browser table, identifiers, objects, variants, memory and the
// fixed answers the plug-in gets.

#include "browserfuncs.h"
#include "flashhost.h"
#include "pluginallocations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

NPString Script(const char* text)
{
    return NPString{text, uint32_t(std::strlen(text))};
}

std::string VariantString(const NPVariant& variant)
{
    if (variant.type != NPVariantType_String)
        return "<not a string>";
    return std::string(variant.value.stringValue.UTF8Characters, variant.value.stringValue.UTF8Length);
}

} // namespace

TEST(BrowserFuncs, TableHasSizeVersionAndEverySlot)
{
    const NPNetscapeFuncs& funcs = FlashHost::Get().BrowserFuncs();
    EXPECT_EQ(sizeof(NPNetscapeFuncs), funcs.size);
#if defined(__i386__)
    EXPECT_EQ(224, funcs.size);
#endif
    EXPECT_EQ(27, funcs.version);
    const auto* slots = reinterpret_cast<void* const*>(&funcs) + 1;
    for (int slot = 0; slot < 55; ++slot)
        EXPECT_NE(nullptr, slots[slot]) << "slot " << slot + 1;
    EXPECT_EQ(reinterpret_cast<void*>(&TEV_NPN_Evaluate), reinterpret_cast<void*>(funcs.evaluate));
    EXPECT_EQ(reinterpret_cast<void*>(&TEV_NPN_URLRedirectResponse), reinterpret_cast<void*>(funcs.urlredirectresponse));
}

TEST(BrowserFuncs, WindowObjectClassHasEveryCallback)
{
    EXPECT_EQ(3u, HostNPClass.structVersion);
    const auto* callbacks = reinterpret_cast<void* const*>(&HostNPClass) + 1;
    for (int slot = 0; slot < 12; ++slot)
        EXPECT_NE(nullptr, callbacks[slot]) << "callback " << slot + 1;
}

TEST(BrowserFuncs, StringIdentifiersAreExactAndStable)
{
    const char* const known[] = {"location", "top", "CallFunction", "GotoFrame",
                                 "TGotoLabel", "GetVariable", "SetVariable", "LoadMovie"};
    for (const char* name : known) {
        NPIdentifier identifier = TEV_NPN_GetStringIdentifier(name);
        ASSERT_NE(nullptr, identifier) << name;
        EXPECT_EQ(identifier, TEV_NPN_GetStringIdentifier(std::string(name).c_str())) << name;
        EXPECT_TRUE(TEV_NPN_IdentifierIsString(identifier));
    }
    for (const char* unknown : {"Location", "top ", "callfunction", "", "document"})
        EXPECT_EQ(nullptr, TEV_NPN_GetStringIdentifier(unknown)) << "'" << unknown << "'";
    EXPECT_EQ(nullptr, TEV_NPN_GetStringIdentifier(nullptr));
    EXPECT_EQ(nullptr, TEV_NPN_GetIntIdentifier(5));
    EXPECT_EQ(0, TEV_NPN_IntFromIdentifier(TEV_NPN_GetStringIdentifier("top")));
}

TEST(BrowserFuncs, IdentifierNamesAreFreshCopiesForMethodsOnly)
{
    EXPECT_EQ(nullptr, TEV_NPN_UTF8FromIdentifier(TEV_NPN_GetStringIdentifier("location")));
    EXPECT_EQ(nullptr, TEV_NPN_UTF8FromIdentifier(TEV_NPN_GetStringIdentifier("top")));
    NPIdentifier method = TEV_NPN_GetStringIdentifier("CallFunction");
    NPUTF8* first = TEV_NPN_UTF8FromIdentifier(method);
    NPUTF8* second = TEV_NPN_UTF8FromIdentifier(method);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_STREQ("CallFunction", first);
    EXPECT_NE(static_cast<void*>(first), method);
    TEV_MemFree(first);
    TEV_MemFree(second);
}

TEST(BrowserFuncs, MemoryBlocksAreListedUntilFreed)
{
    const size_t before = PluginAllocations::Count();
    void* block = TEV_MemAlloc(64);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(before + 1, PluginAllocations::Count());
    TEV_MemFree(block);
    EXPECT_EQ(before, PluginAllocations::Count());
    TEV_MemFree(nullptr);
    EXPECT_EQ(before, PluginAllocations::Count());
}

TEST(BrowserFuncs, ObjectsCountReferencesAndFreeThroughTheirClass)
{
    const size_t before = PluginAllocations::Count();
    NPObject* window = TEV_NPN_CreateObject(nullptr, &HostNPClass);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(&HostNPClass, window->_class);
    EXPECT_EQ(1u, window->referenceCount);
    EXPECT_EQ(window, TEV_NPN_RetainObject(window));
    EXPECT_EQ(2u, window->referenceCount);
    TEV_NPN_ReleaseObject(window);
    EXPECT_EQ(before + 1, PluginAllocations::Count());
    TEV_NPN_ReleaseObject(window); // deallocated through the class
    EXPECT_EQ(before, PluginAllocations::Count());

    NPClass bare = {};
    bare.structVersion = NP_CLASS_STRUCT_VERSION;
    NPObject* plain = TEV_NPN_CreateObject(nullptr, &bare);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(before + 1, PluginAllocations::Count());
    TEV_NPN_ReleaseObject(plain);
    EXPECT_EQ(before, PluginAllocations::Count());

    EXPECT_EQ(nullptr, TEV_NPN_CreateObject(nullptr, nullptr));
    TEV_NPN_ReleaseObject(nullptr);
}

TEST(BrowserFuncs, ReleaseVariantValueFreesOnlyWhatItHolds)
{
    NPVariant number = {};
    number.type = NPVariantType_Int32;
    number.value.intValue = 77;
    TEV_NPN_ReleaseVariantValue(&number);
    EXPECT_EQ(NPVariantType_Void, number.type);
    EXPECT_EQ(nullptr, number.value.objectValue);

    NPVariant text;
    ASSERT_TRUE(NPVariantFromString(wxString::FromUTF8("gr\xC3\xBC\xC3\x9F"), text));
    EXPECT_EQ("gr\xC3\xBC\xC3\x9F", VariantString(text));
    EXPECT_EQ('\0', text.value.stringValue.UTF8Characters[text.value.stringValue.UTF8Length]);
    TEV_NPN_ReleaseVariantValue(&text);
    EXPECT_EQ(NPVariantType_Void, text.type);
    EXPECT_EQ(0u, text.value.stringValue.UTF8Length);

    const size_t before = PluginAllocations::Count();
    NPVariant object = {};
    object.type = NPVariantType_Object;
    object.value.objectValue = TEV_NPN_CreateObject(nullptr, &HostNPClass);
    TEV_NPN_ReleaseVariantValue(&object);
    EXPECT_EQ(before, PluginAllocations::Count());
    TEV_NPN_ReleaseVariantValue(nullptr);
}

TEST(BrowserFuncs, NonStringVariantsReadAsEmptyText)
{
    NPVariant variant = {};
    for (NPVariantType type : {NPVariantType_Void, NPVariantType_Null, NPVariantType_Bool, NPVariantType_Int32,
                               NPVariantType_Double, NPVariantType_Object}) {
        variant.type = type;
        variant.value.doubleValue = 12345.0;
        EXPECT_TRUE(StringFromVariant(variant).empty()) << type;
    }
}

TEST(BrowserFuncs, ValuesTheHostAnswersWithoutAnInstance)
{
    NPBool flag = 7;
    EXPECT_EQ(0, TEV_NPN_GetValue(nullptr, NPNVSupportsWindowless, &flag));
    EXPECT_EQ(1, flag);
    EXPECT_EQ(0, TEV_NPN_GetValue(nullptr, NPNVprivateModeBool, &flag));
    EXPECT_EQ(0, flag);
    uint32_t untouched = 0xA5A5A5A5;
    EXPECT_EQ(1, TEV_NPN_GetValue(nullptr, NPNVjavascriptEnabledBool, &untouched));
    EXPECT_EQ(0xA5A5A5A5u, untouched);

    NPObject* window = nullptr;
    EXPECT_EQ(0, TEV_NPN_GetValue(nullptr, NPNVWindowNPObject, &window));
    ASSERT_NE(nullptr, window);
    NPObject* another = nullptr;
    TEV_NPN_GetValue(nullptr, NPNVWindowNPObject, &another);
    EXPECT_NE(window, another);
    TEV_NPN_ReleaseObject(window);
    TEV_NPN_ReleaseObject(another);

    EXPECT_STREQ("Mozilla/5.0 (Windows; U; Windows NT 6.1; en-GB; rv:1.9.2.8) Gecko/20100722 Firefox/3.6.8",
                 TEV_UserAgent(nullptr));
}

TEST(BrowserFuncs, PagePropertiesAnswerWithoutLookingAtTheObject)
{
    NPVariant result = {};
    ASSERT_TRUE(TEV_NPN_GetProperty(nullptr, nullptr, TEV_NPN_GetStringIdentifier("location"), &result));
    EXPECT_EQ("file://127.0.0.1/index.htm", VariantString(result));
    TEV_NPN_ReleaseVariantValue(&result);
    ASSERT_TRUE(TEV_NPN_GetProperty(nullptr, nullptr, TEV_NPN_GetStringIdentifier("top"), &result));
    EXPECT_EQ("file://127.0.0.1", VariantString(result));
    TEV_NPN_ReleaseVariantValue(&result);
    result.type = NPVariantType_Int32;
    EXPECT_FALSE(TEV_NPN_GetProperty(nullptr, nullptr, TEV_NPN_GetStringIdentifier("CallFunction"), &result));
    EXPECT_EQ(NPVariantType_Int32, result.type);
}

TEST(BrowserFuncs, UrlRequestsWithoutStreamsAreRefused)
{
    EXPECT_EQ(NPERR_INVALID_URL, TEV_NPN_GetURLNotify(nullptr, "javascript:alert(1)", nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_GetURLNotify(nullptr, "JAVASCRIPT:alert(1)", nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_GetURLNotify(nullptr, "data.xml", nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_PostURLNotify(nullptr, "data.php", nullptr, 1, "x", 0, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_GetURL(nullptr, "http://example.com/", nullptr));
    // Only web and mail addresses go to the system browser.
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_GetURL(nullptr, "file:///c:/windows/notepad.exe", "_blank"));
    EXPECT_EQ(NPERR_GENERIC_ERROR, TEV_NPN_GetURLNotify(nullptr, "c:\\windows\\notepad.exe", "_blank", nullptr));
}

TEST(BrowserFuncs, EvaluationThatNamesNoCommandGivesAnEmptyStringElement)
{
    NPString script = Script("window.alert('hi')");
    NPVariant result = {};
    EXPECT_TRUE(TEV_NPN_Evaluate(nullptr, nullptr, &script, &result));
    EXPECT_EQ("<string></string>", VariantString(result));
    TEV_NPN_ReleaseVariantValue(&result);

    NPString empty = {nullptr, 0};
    EXPECT_TRUE(TEV_NPN_Evaluate(nullptr, nullptr, &empty, &result));
    EXPECT_EQ("<string></string>", VariantString(result));
    TEV_NPN_ReleaseVariantValue(&result);
    EXPECT_FALSE(TEV_NPN_Evaluate(nullptr, nullptr, &script, nullptr));
}
