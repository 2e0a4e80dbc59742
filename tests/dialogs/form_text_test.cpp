#include "dialogs/form_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "classlib/streams.h"
#include "platform/kernel/codepage.h"

namespace dialogs {
namespace {

// Writes the component stream of a form file, value by value.
class FormWriter {
public:
    FormWriter& Byte(std::uint8_t b) {
        data_ += static_cast<char>(b);
        return *this;
    }
    FormWriter& Bytes(const std::string& s) {
        data_ += s;
        return *this;
    }
    FormWriter& Le(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    FormWriter& Short(const std::string& s) { return Byte(static_cast<std::uint8_t>(s.size())).Bytes(s); }
    FormWriter& End() { return Byte(0); }

    FormWriter& Begin(const std::string& className, const std::string& name) { return Short(className).Short(name); }
    FormWriter& Prop(const std::string& name) { return Short(name); }
    FormWriter& Int8(std::int8_t v) { return Byte(2).Le(static_cast<std::uint8_t>(v), 1); }
    FormWriter& Int16(std::int16_t v) { return Byte(3).Le(static_cast<std::uint16_t>(v), 2); }
    FormWriter& Int32(std::int32_t v) { return Byte(4).Le(static_cast<std::uint32_t>(v), 4); }
    FormWriter& String(const std::string& s) { return Byte(6).Short(s); }
    FormWriter& Ident(const std::string& s) { return Byte(7).Short(s); }
    FormWriter& Bool(bool b) { return Byte(b ? 9 : 8); }
    FormWriter& Binary(const std::string& bytes) { return Byte(10).Le(bytes.size(), 4).Bytes(bytes); }
    FormWriter& Set(std::initializer_list<std::string> items) {
        Byte(11);
        for (const std::string& item : items) Short(item);
        return Short("");
    }

    // The whole file: resource header, then "TPF0" and the stream.
    std::string File(const std::string& resourceName = "TFORM1") const {
        std::string body = "TPF0" + data_;
        std::string file("\xFF\x0A\x00", 3);
        file += resourceName;
        file += '\0';
        file += "\x30\x10";
        for (int i = 0; i < 4; ++i) file += static_cast<char>(body.size() >> (8 * i));
        return file + body;
    }

private:
    std::string data_;
};

std::string Convert(const std::string& file, std::size_t limit = std::string::npos) {
    std::string text;
    EXPECT_TRUE(FormFileToText(file, text, limit));
    return text;
}

bool Fails(const std::string& file) {
    std::string text = "untouched";
    bool ok = FormFileToText(file, text);
    return !ok && text.empty();
}

TEST(FormText, EveryValueKindOfTheTable) {
    FormWriter w;
    w.Begin("TForm1", "Form1")
        .Prop("Left").Int8(-8)
        .Prop("Top").Int16(1000)
        .Prop("Width").Int32(-100000)
        .Prop("Caption").String("Form1")
        .Prop("Position").Ident("poScreenCenter")
        .Prop("Visible").Bool(false)
        .Prop("Enabled").Bool(true)
        .Prop("Font.Style").Set({"fsBold", "fsItalic"})
        .Prop("BorderIcons").Set({})
        .Prop("Lines.Strings").Byte(1).String("one").Int8(2).Byte(1).End().End()
        .Prop("Panels").Byte(14)
            .Byte(1).Prop("Width").Int16(50).End()
            .Int8(3).Byte(1).Prop("Text").String("x").Prop("Bevel").Ident("pbNone").End()
        .End()
        .Prop("Empty").Byte(14).End()
        .Prop("Glyph.Data").Binary(std::string("\x00\x01\xAB\xFF", 4) + std::string(36, '\x11'))
        .End()
        .Begin("TButton", "Button1").Prop("Caption").String("OK").End().End()
        .End();
    EXPECT_EQ(Convert(w.File()),
              "object Form1: TForm1\r\n"
              "  Left = -8\r\n"
              "  Top = 1000\r\n"
              "  Width = -100000\r\n"
              "  Caption = 'Form1'\r\n"
              "  Position = poScreenCenter\r\n"
              "  Visible = False\r\n"
              "  Enabled = True\r\n"
              "  Font.Style = [fsBold, fsItalic]\r\n"
              "  BorderIcons = []\r\n"
              "  Lines.Strings = (\r\n"
              "    'one'\r\n"
              "    2\r\n"
              "    ())\r\n"
              "  Panels = <\r\n"
              "    item\r\n"
              "      Width = 50\r\n"
              "    end\r\n"
              "    item [3]\r\n"
              "      Text = 'x'\r\n"
              "      Bevel = pbNone\r\n"
              "    end>\r\n"
              "  Empty = <>\r\n"
              "  Glyph.Data = {\r\n"
              "    0001ABFF11111111111111111111111111111111111111111111111111111111\r\n"
              "    1111111111111111}\r\n"
              "  object Button1: TButton\r\n"
              "    Caption = 'OK'\r\n"
              "  end\r\n"
              "end\r\n");
}

TEST(FormText, OtherValueKinds) {
    FormWriter w;
    // 1.5 as an 80-bit extended: mantissa 0xC000000000000000, exponent 16383.
    std::string extended = std::string(7, '\0') + "\xC0\xFF\x3F";
    double half = 0.5;
    std::uint64_t halfBits;
    std::memcpy(&halfBits, &half, 8);
    float quarter = 0.25f;
    std::uint32_t quarterBits;
    std::memcpy(&quarterBits, &quarter, 4);
    w.Begin("TForm1", "Form1")
        .Prop("Ratio").Byte(5).Bytes(extended)
        .Prop("Big").Byte(19).Le(static_cast<std::uint64_t>(-5000000000LL), 8)
        .Prop("PopupMenu").Byte(13)
        .Prop("Half").Byte(21).Le(halfBits, 8)
        .Prop("When").Byte(17).Le(halfBits, 8)
        .Prop("Quarter").Byte(15).Le(quarterBits, 4)
        .Prop("Price").Byte(16).Le(12345, 8)
        .Prop("Long").Byte(12).Le(3, 4).Bytes("abc")
        .Prop("Wide").Byte(18).Le(2, 4).Bytes("\xE5\x65\x2C\x67")  // 日本 in UTF-16LE
        .Prop("Utf8").Byte(20).Le(3, 4).Bytes("語")
        .End().End();
    EXPECT_EQ(Convert(w.File()),
              "object Form1: TForm1\r\n"
              "  Ratio = 1.5\r\n"
              "  Big = -5000000000\r\n"
              "  PopupMenu = nil\r\n"
              "  Half = 0.5\r\n"
              "  When = 0.5d\r\n"
              "  Quarter = 0.25s\r\n"
              "  Price = 1.2345c\r\n"
              "  Long = 'abc'\r\n"
              "  Wide = '" + win32::text::Utf8ToSjis("日本") + "'\r\n"
              "  Utf8 = '" + win32::text::Utf8ToSjis("語") + "'\r\n"
              "end\r\n");
}

TEST(FormText, StringsQuotesControlsAndLongText) {
    const std::string japanese = win32::text::Utf8ToSjis("ぽらりMEMO");
    const std::string longText(70, 'a');
    // 31 double-byte characters and a 32nd that would straddle byte 64.
    std::string kanji;
    for (int i = 0; i < 33; ++i) kanji += win32::text::Utf8ToSjis("漢");
    FormWriter w;
    w.Begin("TForm1", "")
        .Prop("A").String("It's\r\nok")
        .Prop("B").String("")
        .Prop("C").String(japanese)
        .Prop("D").String(longText)
        .Prop("E").String(kanji)
        .End().End();
    const std::string k = win32::text::Utf8ToSjis("漢");
    std::string k32;
    for (int i = 0; i < 32; ++i) k32 += k;
    EXPECT_EQ(Convert(w.File()),
              "object TForm1\r\n"
              "  A = 'It'#39's'#13#10'ok'\r\n"
              "  B = ''\r\n"
              "  C = '" + japanese + "'\r\n"
              "  D = \r\n"
              "    '" + std::string(64, 'a') + "' +\r\n"
              "    'aaaaaa'\r\n"
              "  E = \r\n"
              "    '" + k32 + "' +\r\n"
              "    '" + k + "'\r\n"
              "end\r\n");
}

TEST(FormText, NestingFlagsAndLimit) {
    FormWriter w;
    w.Byte(0xF1).Begin("TForm2", "Form2").End()             // inherited
        .Byte(0xF2).Int8(4).Begin("TPanel", "Panel1").End()  // child position
            .Begin("TLabel", "Label1").Prop("Tag").Int8(1).End().End()
        .End()
        .End();
    const std::string text = Convert(w.File());
    EXPECT_EQ(text,
              "inherited Form2: TForm2\r\n"
              "  object Panel1: TPanel [4]\r\n"
              "    object Label1: TLabel\r\n"
              "      Tag = 1\r\n"
              "    end\r\n"
              "  end\r\n"
              "end\r\n");
    EXPECT_EQ(Convert(w.File(), 20), text.substr(0, 20));
    EXPECT_EQ(Convert(w.File(), 0), "");
}

TEST(FormText, NotABinaryFormFile) {
    const std::string textForm = "object Form1: TForm1\r\n  Left = 1\r\nend\r\n";
    EXPECT_TRUE(Fails(textForm));
    EXPECT_TRUE(Fails(""));
    EXPECT_TRUE(Fails(std::string("\xFF\x0A", 2)));
    EXPECT_TRUE(Fails(std::string("\xFF\x0B\x00N\0\x30\x10\0\0\0\0", 11)));
    FormWriter w;
    w.Begin("TForm1", "Form1").End().End();
    std::string file = w.File();
    EXPECT_TRUE(Fails(file.substr(file.find("TPF0"))));  // no resource header
    std::string noSignature = file;
    noSignature[noSignature.find("TPF0")] = 'X';
    EXPECT_TRUE(Fails(noSignature));
    try {
        ConvertFormFile(textForm);
        FAIL();
    } catch (const classlib::EInvalidImage& e) {
        EXPECT_EQ(e.Message(), "不正なｽﾄﾘｰﾑ ﾌｫｰﾏｯﾄ");
    }
}

TEST(FormText, MalformedFilesFailWithoutReadingOutside) {
    FormWriter w;
    w.Begin("TForm1", "Form1").Prop("Caption").String("abc").Prop("Data").Binary("xyz")
        .Prop("Items").Byte(1).Int8(1).End().End()
        .Begin("TButton", "B").End().End().End();
    const std::string file = w.File();
    ASSERT_FALSE(Convert(file).empty());
    // Cut anywhere, with the header's size following the cut or not.
    for (std::size_t n = 0; n < file.size(); ++n) {
        EXPECT_TRUE(Fails(file.substr(0, n))) << n;
        std::string cut = file.substr(0, n);
        std::size_t body = file.find("TPF0");
        if (n > body) {
            std::uint32_t size = static_cast<std::uint32_t>(n - body);
            for (int i = 0; i < 4; ++i) cut[body - 4 + static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i));
            EXPECT_TRUE(Fails(cut)) << n;
        }
    }

    // Lengths and counts that run past the end.
    auto withBody = [](const std::string& stream) { return FormWriter().Bytes(stream).File(); };
    EXPECT_TRUE(Fails(withBody(std::string("\x06TForm1\x05" "Form1\x04" "Data\x0A\xFF\xFF\xFF\x7F", 22))));
    EXPECT_TRUE(Fails(withBody(std::string("\x06TForm1\x05" "Form1\x01" "A\x0C\x00\x00\x00\x80", 20))));
    EXPECT_TRUE(Fails(withBody(std::string("\x06TForm1\x05" "Form1\x01" "A\x12\xFF\xFF\xFF\xFF", 20))));
    EXPECT_TRUE(Fails(withBody(std::string("\x06TForm1\x05" "Form1\x01" "A\x06\xC8" "ab", 19))));
    EXPECT_TRUE(Fails(withBody("\x40TForm1")));

    // Unknown value kinds, and a zero byte where a value must stand.
    for (std::uint8_t kind : {0, 22, 99, 255}) {
        FormWriter bad;
        bad.Begin("TForm1", "Form1").Prop("X").Byte(kind).End().End();
        EXPECT_TRUE(Fails(bad.File())) << int(kind);
    }
    // A collection item that does not start with a list marker.
    FormWriter badItem;
    badItem.Begin("TForm1", "Form1").Prop("P").Byte(14).Byte(6).End().End().End();
    EXPECT_TRUE(Fails(badItem.File()));
}

TEST(FormText, NestingTooDeep) {
    auto nestedLists = [](int depth) {
        FormWriter w;
        w.Begin("TForm1", "Form1").Prop("Deep");
        for (int i = 0; i < depth; ++i) w.Byte(1);
        for (int i = 0; i < depth; ++i) w.End();
        return w.End().End().File();
    };
    auto nestedComponents = [](int depth) {
        FormWriter w;
        for (int i = 0; i < depth; ++i) w.Begin("TPanel", "P" + std::to_string(i)).End();
        for (int i = 0; i < depth; ++i) w.End();
        return w.File();
    };
    std::string text;
    EXPECT_TRUE(FormFileToText(nestedLists(kMaxFormNesting - 1), text));
    EXPECT_TRUE(Fails(nestedLists(kMaxFormNesting)));
    EXPECT_TRUE(Fails(nestedLists(100000)));
    EXPECT_TRUE(FormFileToText(nestedComponents(kMaxFormNesting), text));
    EXPECT_TRUE(Fails(nestedComponents(kMaxFormNesting + 1)));
}

}  // namespace
}  // namespace dialogs
