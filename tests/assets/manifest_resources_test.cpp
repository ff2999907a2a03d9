// The application manifest compiled into Tessary.exe, read back as Windows
// reads it. Wine starts a program whatever its manifest says; Windows refuses
// one whose manifest is malformed and ignores an element in the wrong namespace.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "asset_files.h"

using namespace asset_files;

namespace {

// One element of the manifest: its path from the root ("assembly/trustInfo"),
// its attributes and the text that follows its start tag.
struct Element {
    std::string path;
    std::map<std::string, std::string> attributes;
    std::string text;
};

// The elements in document order; false through balanced when a tag is not closed in order.
std::vector<Element> elements(const std::string& xml, bool& balanced) {
    std::vector<Element> found;
    std::vector<std::string> open;
    balanced = true;
    const std::regex attribute(R"(([\w:]+)\s*=\s*"([^"]*)\")");
    for (std::size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
        if (xml.compare(at, 4, "<!--") == 0) {
            at = xml.find("-->", at);
            if (at == std::string::npos) break;
            continue;
        }
        const std::size_t end = xml.find('>', at);
        if (end == std::string::npos) {
            balanced = false;
            break;
        }
        const std::string tag = xml.substr(at + 1, end - at - 1);
        if (tag.empty() || tag[0] == '?') continue;
        const std::string name = tag.substr(tag[0] == '/', tag.find_first_of(" \t\r\n/", 1) - (tag[0] == '/'));
        if (tag[0] == '/') {
            balanced = balanced && !open.empty() && open.back() == name;
            if (!open.empty()) open.pop_back();
            continue;
        }
        Element element;
        for (const std::string& outer : open) element.path += outer + "/";
        element.path += name;
        for (std::sregex_iterator a(tag.begin(), tag.end(), attribute), none; a != none; ++a)
            element.attributes[(*a)[1]] = (*a)[2];
        element.text = xml.substr(end + 1, xml.find('<', end) - end - 1);
        found.push_back(element);
        if (tag.back() != '/') open.push_back(name);
    }
    balanced = balanced && open.empty();
    return found;
}

class Manifest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> bytes = read(TESSARY_MANIFEST);
        found = elements(std::string(bytes.begin(), bytes.end()), balanced);
    }
    const Element* element(const std::string& path) const {
        for (const Element& e : found)
            if (e.path == path) return &e;
        return nullptr;
    }
    std::vector<Element> found;
    bool balanced = false;
};

TEST(ResourceScript, CompilesTheManifestAsResourceOneOfType24) {
    const std::map<int, std::string> entries = script_entries(TESSARY_MANIFEST_RC, "24");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->first, 1);
    EXPECT_EQ(entries.begin()->second, TESSARY_MANIFEST);
}

TEST_F(Manifest, IsWellFormedWithAFourPartVersion) {
    EXPECT_TRUE(balanced);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0].path, "assembly");
    EXPECT_EQ(found[0].attributes["xmlns"], "urn:schemas-microsoft-com:asm.v1");
    EXPECT_EQ(found[0].attributes["manifestVersion"], "1.0");
    // Windows refuses to start a program whose own version has fewer parts.
    const Element* identity = element("assembly/assemblyIdentity");
    ASSERT_NE(identity, nullptr);
    EXPECT_TRUE(std::regex_match(identity->attributes.at("version"), std::regex(R"(\d{1,5}(\.\d{1,5}){3})")));
}

TEST_F(Manifest, AsksForThePlayersRightsCommonControls6AndNoDpiAwareness) {
    const struct {
        const char* path;
        const char* attribute;
        const char* value;
    } expected[] = {
        {"assembly/trustInfo", "xmlns", "urn:schemas-microsoft-com:asm.v3"},
        {"assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel", "level", "asInvoker"},
        {"assembly/compatibility", "xmlns", "urn:schemas-microsoft-com:compatibility.v1"},
        {"assembly/application", "xmlns", "urn:schemas-microsoft-com:asm.v3"},
        {"assembly/application/windowsSettings/dpiAware", "xmlns", "http://schemas.microsoft.com/SMI/2005/WindowsSettings"},
        {"assembly/dependency/dependentAssembly/assemblyIdentity", "name", "Microsoft.Windows.Common-Controls"},
        {"assembly/dependency/dependentAssembly/assemblyIdentity", "version", "6.0.0.0"},
        {"assembly/dependency/dependentAssembly/assemblyIdentity", "publicKeyToken", "6595b64144ccf1df"},
        {"assembly/dependency/dependentAssembly/assemblyIdentity", "type", "win32"},
    };
    for (const auto& e : expected) {
        const Element* at = element(e.path);
        ASSERT_NE(at, nullptr) << e.path;
        const auto value = at->attributes.find(e.attribute);
        EXPECT_EQ(value == at->attributes.end() ? "(none)" : value->second, e.value) << e.path;
    }
    const Element* dpi = element("assembly/application/windowsSettings/dpiAware");
    ASSERT_NE(dpi, nullptr);
    EXPECT_EQ(dpi->text, "false");
}

TEST_F(Manifest, ListsWindows7To11AsSupported) {
    const std::set<std::string> windows_7_8_81_10_11 = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    std::set<std::string> listed;
    for (const Element& e : found)
        if (e.path == "assembly/compatibility/application/supportedOS") listed.insert(e.attributes.at("Id"));
    EXPECT_EQ(listed, windows_7_8_81_10_11);
}

}  // namespace
