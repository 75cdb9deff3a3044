// Tests of the files remembered in the settings: order, bound, case, notes, menu text.
#include "board/intake/RememberedFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The settings of one section, as the registry keeps them.
class SectionProperties : public util::IProperties {
public:
    bool GetProperty(const wchar_t* name, String& value, const wchar_t* section) override {
        EXPECT_STREQ(L"Files", section);
        auto found = values.find(name);
        value = found == values.end() ? String() : String(found->second.c_str());
        return found != values.end();
    }
    bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t*) override {
        values[name] = text;
        return true;
    }
    bool RemoveProperty(const wchar_t* name, const wchar_t*) override {
        values.erase(name);
        return true;
    }

    std::map<std::wstring, std::wstring> values;
};

std::vector<std::wstring> Paths(const RememberedFiles& files) {
    std::vector<std::wstring> paths;
    for (const auto& entry : files.Get()) paths.push_back(entry.path);
    return paths;
}

TEST(RememberedFilesTest, TheLatestFirstEachOnceWithinTheBound) {
    SectionProperties properties;
    properties.values = {
        {L"1", L"C:\\a.txt"}, {L"2", L""}, {L"3", L"c:\\A.TXT|7"}, {L"4", L"C:\\b.sdm|12"}, {L"5", L"C:\\beyond.txt"}};
    RememberedFiles files(properties, L"Files", 4);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.sdm"}), Paths(files));
    EXPECT_EQ(L"12", files.Find(L"C:\\B.sdm").value());
    EXPECT_FALSE(files.Find(L"C:\\c.txt"));

    files.Put(L"C:\\c.txt");
    files.Put(L"C:\\B.SDM", L"13");
    files.Put(L"C:\\d.txt");
    files.Put(L"C:\\e.txt");
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\e.txt", L"C:\\d.txt", L"C:\\B.SDM", L"C:\\c.txt"}), Paths(files));
    EXPECT_EQ((std::map<std::wstring, std::wstring>{{L"1", L"C:\\e.txt"},
                                                    {L"2", L"C:\\d.txt"},
                                                    {L"3", L"C:\\B.SDM|13"},
                                                    {L"4", L"C:\\c.txt"},
                                                    {L"5", L"C:\\beyond.txt"}}),
              properties.values);
    files.Remove(L"c:\\D.txt");
    EXPECT_EQ(L"", properties.values[L"4"]);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\e.txt", L"C:\\B.SDM", L"C:\\c.txt"}),
              Paths(RememberedFiles(properties, L"Files", 4)));
}

TEST(RememberedFilesTest, MenuTextNumbersEscapesAndShortens) {
    EXPECT_EQ(L"&1 C:\\Rock && Roll\\a.txt", RememberedFiles::MenuText(0, L"C:\\Rock & Roll\\a.txt"));
    std::wstring deep = L"C:\\Users\\player\\Documents\\" + std::wstring(60, L'x') + L"\\top95.txt";
    std::wstring shown = RememberedFiles::MenuText(7, deep);
    EXPECT_EQ(L"&8 C:\\Users\\player\\Documents\\xxxxxxxxxxxxxxxxxxxxx...\\top95.txt", shown);
    EXPECT_EQ(RememberedFiles::kMenuLength + 3, shown.size());
}

}  // namespace
