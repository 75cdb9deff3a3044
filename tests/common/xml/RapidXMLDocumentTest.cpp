// Tests of the XML document: parsing, searching by tag, building, printing, loading.
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using xml::IXMLElement;
using xml::rapidxml::RapidXMLDocument;

namespace {

const wchar_t kParseFailure[] = L"RapidXMLDocument::Parse()\nError while parsing XML document.";
const wchar_t kTooDeep[] = L"RapidXMLDocument::Parse()\nDocument nested deeper than 64 elements.";

// levels "<e>" elements, each inside the one before, with inside in the innermost.
std::wstring Nested(int levels, const std::wstring& inside = L"") {
    std::wstring text;
    for (int i = 0; i < levels; ++i) text += L"<e>";
    text += inside;
    for (int i = 0; i < levels; ++i) text += L"</e>";
    return text;
}

// Parses in place from a copy that lives as long as the test's document.
class XMLTest : public ::testing::Test {
protected:
    void Parse(const std::wstring& text) {
        text_ = text;
        document_.Parse(text_.data());
    }
    std::wstring TagsOf(const xml::XMLNodeList& nodes) {
        std::wstring tags;
        for (auto* node : nodes) tags += static_cast<IXMLElement*>(node)->GetTagName() + std::wstring(L" ");
        return tags;
    }

    std::wstring text_;
    RapidXMLDocument document_;
};

TEST_F(XMLTest, FindsElementsByExactTagInDocumentOrder) {
    Parse(L"<?xml version='1.0'?><r><v>1.0.3</v></r>");
    ASSERT_NE(nullptr, document_.GetDocumentElement());
    EXPECT_STREQ(L"r", document_.GetDocumentElement()->GetTagName());
    auto found = document_.GetElementsByTagName(L"v");
    ASSERT_EQ(1u, found.size());
    EXPECT_STREQ(L"1.0.3", found[0]->GetText());
    EXPECT_TRUE(document_.GetElementsByTagName(L"V").empty());
    EXPECT_TRUE(document_.GetElementsByTagName(L"w").empty());
    EXPECT_TRUE(document_.GetElementsByTagName(nullptr).empty());

    Parse(L"<a><b>1</b><c><b>2</b></c><b>3</b></a>");
    found = document_.GetElementsByTagName(L"b");
    ASSERT_EQ(3u, found.size());
    EXPECT_STREQ(L"1", found[0]->GetText());
    EXPECT_STREQ(L"2", found[1]->GetText());
    EXPECT_STREQ(L"3", found[2]->GetText());
    EXPECT_EQ(1u, document_.GetElementsByTagName(L"a").size());  // the root itself counts
}

// Each top-level element in turn becomes the root: the last one is searched alone.
TEST_F(XMLTest, TheLastOfSeveralTopLevelElementsIsTheRoot) {
    Parse(L"<a><v>1</v></a><!-- between --><update><v>2</v></update>");
    EXPECT_STREQ(L"update", document_.GetDocumentElement()->GetTagName());
    auto found = document_.GetElementsByTagName(L"v");
    ASSERT_EQ(1u, found.size());
    EXPECT_STREQ(L"2", found[0]->GetText());
    EXPECT_TRUE(document_.GetElementsByTagName(L"a").empty());
}

TEST_F(XMLTest, TextsAreNeverNullAndReferencesAreTranslated) {
    Parse(L"<!DOCTYPE r><r><e/><f></f><g>a &amp; b<!-- note --></g><h><![CDATA[x]]></h></r>");
    EXPECT_STREQ(L"", document_.GetElementsByTagName(L"e")[0]->GetText());
    EXPECT_STREQ(L"", document_.GetElementsByTagName(L"e")[0]->GetValue());
    EXPECT_STREQ(L"", document_.GetElementsByTagName(L"f")[0]->GetText());
    EXPECT_STREQ(L"a & b", document_.GetElementsByTagName(L"g")[0]->GetText());
    EXPECT_STREQ(L"", document_.GetElementsByTagName(L"h")[0]->GetText());  // CDATA skipped
    EXPECT_STREQ(L"r", document_.GetDocumentElement()->GetTagName());       // not the DOCTYPE
}

TEST_F(XMLTest, MalformedInputRaisesTheParseFailureOnly) {
    for (const wchar_t* bad : {L"  x<r/>", L"<r><v>1</v", L"<r", L"<r a=1/>", L"<r>&bogus;</r"}) {
        EXPECT_EQ(kParseFailure, RaisedBy([&] { Parse(bad); })) << bad;
        EXPECT_EQ(nullptr, document_.GetDocumentElement()) << bad;
        EXPECT_TRUE(document_.GetElementsByTagName(L"r").empty()) << bad;
    }
    EXPECT_EQ(L"RapidXMLDocument::Parse()\nDocument content is null",
              RaisedBy([&] { document_.Parse(nullptr); }));
    Parse(L"<r/>");  // the document is usable again after a failure
    EXPECT_STREQ(L"r", document_.GetDocumentElement()->GetTagName());
}

TEST_F(XMLTest, ChildrenSiblingsAndAddedElements) {
    Parse(L"<r><a>1</a><b>2</b></r>");
    IXMLElement* root = document_.GetDocumentElement();
    ASSERT_TRUE(root->HasChildNodes());
    EXPECT_EQ(L"a b ", TagsOf(root->GetChildNodes()));
    EXPECT_EQ(&root->GetChildNodes(), &root->GetChildNodes());
    auto* a = static_cast<IXMLElement*>(root->GetChildNodes()[0]);
    EXPECT_EQ(nullptr, a->GetPreviousSibling());
    EXPECT_FALSE(a->HasChildNodes());

    IXMLElement* b = document_.GetElementsByTagName(L"b")[0];  // nothing cached yet
    IXMLElement* c = document_.CreateElement(L"c", L"3");
    root->AddChildNode(c);
    EXPECT_EQ(L"a b c ", TagsOf(root->GetChildNodes()));
    ASSERT_NE(nullptr, b->GetNextSibling());
    EXPECT_STREQ(L"c", b->GetNextSibling()->GetTagName());
    EXPECT_STREQ(L"b", c->GetPreviousSibling()->GetTagName());
    EXPECT_EQ(1u, document_.GetElementsByTagName(L"c").size());

    EXPECT_EQ(1, c->SetText(L"4"));
    EXPECT_STREQ(L"4", document_.GetElementsByTagName(L"c")[0]->GetValue());
    std::unique_ptr<wchar_t[]> printed;
    document_.Print(printed);
    EXPECT_STREQ(L"<r>\n\t<a>1</a>\n\t<b>2</b>\n\t<c>4</c>\n</r>\n\n", printed.get());

    root->RemoveAllChildNodes();
    EXPECT_TRUE(document_.GetElementsByTagName(L"a").empty());
    document_.Print(printed);
    EXPECT_STREQ(L"<r/>\n\n", printed.get());
}

// A node type other than an element's, to show that AddChildNode refuses it.
class OtherNode : public xml::IXMLNode {
public:
    int GetNodeType() override { return 1; }
    const xml::XMLNodeList& GetChildNodes() override { return none_; }
    bool HasChildNodes() override { return false; }
    void AddChildNode(IXMLNode*) override {}
    IXMLElement* GetNextSibling() override { return nullptr; }
    IXMLElement* GetPreviousSibling() override { return nullptr; }
    const wchar_t* GetValue() override { return L""; }
    int SetValue(const wchar_t*) override { return 0; }
    const wchar_t* GetText() override { return L""; }
    int SetText(const wchar_t*) override { return 0; }

private:
    xml::XMLNodeList none_;
};

TEST_F(XMLTest, AddChildNodeRefusesOtherNodes) {
    Parse(L"<r/>");
    OtherNode other;
    EXPECT_EQ(L"RapidXMLElement::AddChildNode()\nAdding non element nodes not supported.",
              RaisedBy([&] { document_.GetDocumentElement()->AddChildNode(&other); }));
    EXPECT_FALSE(document_.GetDocumentElement()->HasChildNodes());
}

TEST_F(XMLTest, SixtyFourLevelsParseAndDeeperTextsAreRefusedBeforeParsing) {
    Parse(Nested(64, L"<leaf/>"));
    EXPECT_EQ(1u, document_.GetElementsByTagName(L"leaf").size());
    EXPECT_EQ(kTooDeep, RaisedBy([&] { Parse(Nested(65)); }));
    EXPECT_EQ(nullptr, document_.GetDocumentElement());

    // Deep enough to overflow RapidXML's recursion on Windows, closed or not: refused
    // before parsing.
    EXPECT_EQ(kTooDeep, RaisedBy([&] { Parse(Nested(30000)); }));
    EXPECT_EQ(kTooDeep, RaisedBy([&] { Parse(Nested(30000).substr(0, 90000)); }));
}

TEST_F(XMLTest, MarkupOtherThanAnOpenedElementAddsNoLevel) {
    // Each holds what a careless count takes for one more level below the 64.
    for (const wchar_t* inside : {L"<s/><s a='1' />", L"<!-- <e> -->", L"<![CDATA[ <e> ]]>", L"<?pi <e> ?>",
                                  L"<s a='>' b=\"/>\" c='<e>'/>", L"</e><e>"}) {
        EXPECT_EQ(L"<nothing raised>", RaisedBy([&] { Parse(Nested(64, inside)); })) << inside;
    }
    EXPECT_EQ(L"<nothing raised>", RaisedBy([&] { Parse(L"<!DOCTYPE e [ <!ENTITY g '>'> <e> ]>" + Nested(64)); }));
}

TEST_F(XMLTest, TheCountReadsMarkupAsRapidXMLDoes) {
    // RapidXML reads "e='" as a self-closing element's name and the declaration's
    // "?>" and "<!--" as part of a value: the 64 levels after each are real.
    EXPECT_EQ(kTooDeep, RaisedBy([&] { Parse(L"<r><e='/>" + Nested(64) + L"'</r>"); }));
    EXPECT_EQ(kTooDeep, RaisedBy([&] { Parse(L"<?xml version='1.0' n='?><!--'?>" + Nested(65)); }));
}

class XMLFileTest : public ::testing::Test {
protected:
    // UTF-16 bytes of ASCII text with 'E' standing for U+00E9.
    static std::string Utf16(const std::string& text, bool bigEndian = false) {
        std::string bytes;
        for (char c : text) {
            char unit = c == 'E' ? '\xE9' : c;
            bytes += bigEndian ? std::string{'\0', unit} : std::string{unit, '\0'};
        }
        return bytes;
    }

    TempFolder folder_;
};

TEST_F(XMLFileTest, LoadsUtf16WithAndWithoutMarkAndAnsiFiles) {
    const std::string reply = "<r><v>1.0.3</v><t>E</t></r>";
#ifdef _WIN32
    const std::string ansi = "<r><v>1.0.3</v><t>\xE9</t></r>";  // Windows-1252
#else
    const std::string ansi = "<r><v>1.0.3</v><t>\xC3\xA9</t></r>";  // the host's code page is UTF-8
#endif
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"plain16.xml", Utf16(reply)},
        {"marked16.xml", "\xFF\xFE" + Utf16(reply)},
        {"big16.xml", "\xFE\xFF" + Utf16(reply, true)},
        {"ansi.xml", ansi},
    };
    for (const Case& c : cases) {
        std::wstring path = folder_.Path(c.name);
        WriteBytes(path, c.bytes);
        RapidXMLDocument document;
        EXPECT_EQ(L"<nothing raised>", RaisedBy([&] { document.Load(path.c_str()); })) << c.name;
        auto found = document.GetElementsByTagName(L"v");
        ASSERT_EQ(1u, found.size()) << c.name;
        EXPECT_STREQ(L"1.0.3", found[0]->GetText()) << c.name;
        EXPECT_STREQ(L"\u00E9", document.GetElementsByTagName(L"t")[0]->GetText()) << c.name;
    }
}

TEST_F(XMLFileTest, LoadFailures) {
    std::wstring missing = folder_.Path("missing.xml");
    RapidXMLDocument document;
    std::wstring message = RaisedBy([&] { document.Load(missing.c_str()); });
    EXPECT_EQ(0u, message.find(L"File::ReadFromBeginning()\nFile : " + missing + L"\n")) << message;

    std::wstring declarationOnly = folder_.Path("declaration.xml");
    WriteBytes(declarationOnly, "<?xml version=\"1.0\"?>  ");
    RapidXMLDocument empty;
    EXPECT_EQ(L"XMLDocument::Load (\"" + declarationOnly + L"\")\nDocument could not be parsed.",
              RaisedBy([&] { empty.Load(declarationOnly.c_str()); }));
    // The file stays open with the document: it loads once.
    EXPECT_EQ(L"File::OpenFile()\nFile already oppened", RaisedBy([&] { empty.Load(nullptr); }));

    std::wstring broken = folder_.Path("broken.xml");
    WriteBytes(broken, "<r><v>");
    RapidXMLDocument bad;
    EXPECT_EQ(kParseFailure, RaisedBy([&] { bad.Load(broken.c_str()); }));
}

TEST_F(XMLFileTest, SavedDocumentsLoadAgain) {
    std::wstring source = folder_.Path("source.xml");
    WriteBytes(source, "\xFF\xFE" + Utf16("<r><v>E</v></r>"));
    std::wstring copy = folder_.Path("copy.xml");
    {
        RapidXMLDocument document;
        document.Load(source.c_str());
        document.GetDocumentElement()->AddChildNode(document.CreateElement(L"w", L"2"));
        document.Save(copy.c_str());
    }
    EXPECT_EQ("\xFF\xFE" + Utf16("<r>\n\t<v>E</v>\n\t<w>2</w>\n</r>\n\n\r\n"), ReadBytes(copy));
    RapidXMLDocument again;
    again.Load(copy.c_str());
    EXPECT_STREQ(L"\u00E9", again.GetElementsByTagName(L"v")[0]->GetText());
    EXPECT_STREQ(L"2", again.GetElementsByTagName(L"w")[0]->GetText());
}

}  // namespace
