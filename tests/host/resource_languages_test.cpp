// The program's compiled resources (res/brisvane.rc, built for this test by
// windres), read as the system reads them: every text exists in Chinese and
// in English, and the two agree on what the code relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

uint16_t const CHINESE = 0x0804, ENGLISH = 0x0409;
int const RT_MENU_ = 4, RT_DIALOG_ = 5, RT_STRING_ = 6, RT_VERSION_ = 16, RT_MANIFEST_ = 24;

struct Resource {
    std::wstring type, name;  // "#n" for a number
    uint16_t language;
    std::vector<uint8_t> data;
};

uint16_t Word(uint8_t const* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t Dword(uint8_t const* p)
{
    return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16;
}

// A name-or-number field; p moves past it.
std::wstring NameOrNumber(uint8_t const*& p)
{
    if (Word(p) == 0xFFFF) {
        std::wstring const number = L"#" + std::to_wstring(Word(p + 2));
        p += 4;
        return number;
    }
    std::wstring text;
    for (; Word(p) != 0; p += 2)
        text += static_cast<wchar_t>(Word(p));
    p += 2;
    return text;
}

// The entries of a .res file: sizes, type, name, then the language 10 bytes
// before the header's end; each entry DWORD-aligned. The first is empty.
std::vector<Resource> ReadResources(char const* path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> const bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<Resource> resources;
    for (size_t at = 0; at + 32 <= bytes.size();) {
        uint8_t const* entry = bytes.data() + at;
        uint32_t const dataSize = Dword(entry), headerSize = Dword(entry + 4);
        uint8_t const* p = entry + 8;
        Resource r;
        r.type = NameOrNumber(p);
        r.name = NameOrNumber(p);
        r.language = Word(entry + headerSize - 10);
        r.data.assign(entry + headerSize, entry + headerSize + dataSize);
        if (dataSize > 0)
            resources.push_back(r);
        at += (headerSize + dataSize + 3) & ~3u;
    }
    return resources;
}

std::wstring Ordinal(int type)
{
    return L"#" + std::to_wstring(type);
}

// Which strings of a block of sixteen are there (counted, not terminated).
std::vector<bool> StringsPresent(std::vector<uint8_t> const& block)
{
    std::vector<bool> present;
    for (size_t at = 0; at + 2 <= block.size() && present.size() < 16; at += 2 + 2 * Word(&block[at]))
        present.push_back(Word(&block[at]) != 0);
    return present;
}

// A DLGTEMPLATEEX's controls as "id class", in order.
std::vector<std::wstring> DialogControls(std::vector<uint8_t> const& dialog)
{
    uint8_t const* const base = dialog.data();
    uint16_t const count = Word(base + 16);
    uint8_t const* p = base + 26;
    NameOrNumber(p);  // menu
    NameOrNumber(p);  // class
    NameOrNumber(p);  // caption
    if (Dword(base + 12) & 0x40) {  // DS_SETFONT: size, weight, italic, charset, face
        p += 6;
        NameOrNumber(p);
    }
    std::vector<std::wstring> controls;
    for (uint16_t i = 0; i < count; ++i) {
        p = base + ((p - base + 3) & ~3);
        uint32_t const id = Dword(p + 20);
        p += 24;
        std::wstring const controlClass = NameOrNumber(p);
        NameOrNumber(p);  // text
        p += 2 + Word(p);
        controls.push_back(std::to_wstring(id) + L" " + controlClass);
    }
    return controls;
}

// A DLGTEMPLATEEX's font as "points face", or "" without DS_SETFONT.
std::wstring DialogFont(std::vector<uint8_t> const& dialog)
{
    uint8_t const* const base = dialog.data();
    if (!(Dword(base + 12) & 0x40))
        return L"";
    uint8_t const* p = base + 26;
    NameOrNumber(p);  // menu
    NameOrNumber(p);  // class
    NameOrNumber(p);  // caption
    std::wstring const points = std::to_wstring(Word(p));
    p += 6;
    return points + L" " + NameOrNumber(p);
}

// A MENU template's items as their flags and command numbers, in order.
std::vector<uint32_t> MenuItems(std::vector<uint8_t> const& menu)
{
    std::vector<uint32_t> items;
    uint8_t const* p = menu.data() + 4;
    while (p < menu.data() + menu.size()) {
        uint32_t const flags = Word(p);
        p += 2;
        uint32_t id = 0;
        if (!(flags & 0x10)) {  // MF_POPUP has no command
            id = Word(p);
            p += 2;
        }
        NameOrNumber(p);
        items.push_back(flags << 16 | id);
    }
    return items;
}

TEST(ResourceLanguages, EveryTextInChineseAndEnglishAlike)
{
    std::vector<Resource> const resources = ReadResources(BRISVANE_RES_FILE);
    ASSERT_GT(resources.size(), 10u) << "no resources read from " << BRISVANE_RES_FILE;
    std::set<std::wstring> const texts{Ordinal(RT_MENU_), Ordinal(RT_DIALOG_), Ordinal(RT_STRING_),
                                       Ordinal(RT_VERSION_)};
    std::map<std::wstring, std::map<uint16_t, Resource const*>> byLanguage;  // "type name" -> language
    for (Resource const& r : resources) {
        if (texts.count(r.type))
            byLanguage[r.type + L" " + r.name][r.language] = &r;
        else  // pictures, keys, the manifest: one copy for all
            EXPECT_EQ(0, r.language) << "type " << std::string(r.type.begin(), r.type.end());
    }
    for (auto const& [key, languages] : byLanguage) {
        std::string const what(key.begin(), key.end());
        SCOPED_TRACE(what);
        ASSERT_EQ(2u, languages.size());
        ASSERT_TRUE(languages.count(CHINESE) && languages.count(ENGLISH));
        Resource const& zh = *languages.at(CHINESE);
        Resource const& en = *languages.at(ENGLISH);
        if (zh.type == Ordinal(RT_STRING_)) {
            EXPECT_EQ(StringsPresent(zh.data), StringsPresent(en.data)) << "a string in one language only";
        } else if (zh.type == Ordinal(RT_DIALOG_)) {
            EXPECT_EQ(DialogControls(zh.data), DialogControls(en.data)) << "controls differ";
        } else if (zh.type == Ordinal(RT_MENU_)) {
            EXPECT_EQ(MenuItems(zh.data), MenuItems(en.data)) << "menu items differ";
        }
    }
    // The dialogs, the menu, the version and at least the tray's strings.
    EXPECT_GE(byLanguage.size(), 8u);
}

// Themed controls need Common Controls 6, which only the manifest can ask
// for; each language's dialogs name a face that has its script on every
// Windows 10 and 11, so no text goes through another language's font links.
TEST(ResourceLanguages, ThemedControlsAndEachLanguagesFont)
{
    std::vector<Resource> const resources = ReadResources(BRISVANE_RES_FILE);
    int manifests = 0, dialogs = 0;
    for (Resource const& r : resources) {
        std::string const name(r.name.begin(), r.name.end());
        if (r.type == Ordinal(RT_MANIFEST_)) {
            ++manifests;
            std::string const text(r.data.begin(), r.data.end());
            size_t const at = text.find("name=\"Microsoft.Windows.Common-Controls\"");
            ASSERT_NE(std::string::npos, at) << "no Common Controls in the manifest";
            std::string const identity = text.substr(text.rfind('<', at), text.find('>', at) - text.rfind('<', at));
            EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\"")) << identity;
            EXPECT_NE(std::string::npos, identity.find("publicKeyToken=\"6595b64144ccf1df\"")) << identity;
            EXPECT_NE(std::string::npos, text.rfind("<dependentAssembly>", at)) << "a dependency, not a mention";
        } else if (r.type == Ordinal(RT_DIALOG_)) {
            ++dialogs;
            SCOPED_TRACE("dialog " + name + " language " + std::to_string(r.language));
            ASSERT_TRUE(r.language == CHINESE || r.language == ENGLISH);
            EXPECT_EQ(r.language == CHINESE ? L"9 Microsoft YaHei UI" : L"9 Segoe UI", DialogFont(r.data));
        }
    }
    EXPECT_EQ(1, manifests);
    EXPECT_GE(dialogs, 8) << "the About box, Options, Auto-shutdown and the confirmation, in two languages";
}

}  // namespace
