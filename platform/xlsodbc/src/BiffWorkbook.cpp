#include "BiffWorkbook.h"

#include <cstdint>
#include <unordered_map>

namespace xlsodbc {

namespace {

constexpr size_t kMaxRecordData = 8224;
constexpr uint16_t kCellXf = 15; // the first cell XF after the 15 style XFs

enum : uint16_t {
    RecBof = 0x0809,
    RecEof = 0x000A,
    RecCodePage = 0x0042,
    RecWindow1 = 0x003D,
    RecDateMode = 0x0022,
    RecFont = 0x0031,
    RecXf = 0x00E0,
    RecStyle = 0x0293,
    RecBoundSheet = 0x0085,
    RecSst = 0x00FC,
    RecContinue = 0x003C,
    RecExtSst = 0x00FF,
    RecDimensions = 0x0200,
    RecColInfo = 0x007D,
    RecLabelSst = 0x00FD,
    RecWindow2 = 0x023E,
};

class Stream
{
public:
    std::string bytes;

    size_t Pos() const { return bytes.size(); }
    void U8(uint8_t v) { bytes.push_back(static_cast<char>(v)); }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void Patch16(size_t at, uint16_t v)
    {
        bytes[at] = static_cast<char>(v & 0xFF);
        bytes[at + 1] = static_cast<char>(v >> 8);
    }

    // Starts a record; returns the position of its length field.
    size_t Begin(uint16_t type)
    {
        U16(type);
        const size_t at = Pos();
        U16(0);
        return at;
    }
    void End(size_t lengthAt) { Patch16(lengthAt, static_cast<uint16_t>(Pos() - lengthAt - 2)); }

    void Chars(const std::u16string &s, bool compressed)
    {
        for (char16_t c : s) {
            if (compressed)
                U8(static_cast<uint8_t>(c));
            else
                U16(static_cast<uint16_t>(c));
        }
    }
};

bool FitsLatin1(const std::u16string &s)
{
    for (char16_t c : s) {
        if (c > 0xFF)
            return false;
    }
    return true;
}

void WriteBof(Stream &s, uint16_t kind)
{
    const size_t at = s.Begin(RecBof);
    s.U16(0x0600); // BIFF8
    s.U16(kind);
    s.U16(0x0DBB); // build
    s.U16(0x07CC); // year
    s.U32(0);      // file history
    s.U32(0x06);   // lowest version that reads every record
    s.End(at);
}

void WriteEof(Stream &s)
{
    s.End(s.Begin(RecEof));
}

void WriteFont(Stream &s)
{
    const size_t at = s.Begin(RecFont);
    s.U16(200);    // 10 pt in twips
    s.U16(0);      // attributes
    s.U16(0x7FFF); // automatic colour
    s.U16(400);    // normal weight
    s.U16(0);      // no super/subscript
    s.U8(0);       // no underline
    s.U8(0);       // family
    s.U8(1);       // default character set
    s.U8(0);
    const std::u16string name = u"Arial";
    s.U8(static_cast<uint8_t>(name.size()));
    s.U8(0);
    s.Chars(name, true);
    s.End(at);
}

void WriteXf(Stream &s, bool style, uint8_t usedAttributes)
{
    const size_t at = s.Begin(RecXf);
    s.U16(0);                         // font
    s.U16(0);                         // number format: General
    s.U16(style ? 0xFFF5 : 0x0001);   // locked; style XFs have no parent
    s.U8(0x20);                       // bottom aligned
    s.U8(0);                          // rotation
    s.U8(0);                          // indent
    s.U8(usedAttributes);
    s.U32(0);                         // borders
    s.U32(0);                         // border colours
    s.U16(0x20C0);                    // pattern colours: window foreground/background
    s.End(at);
}

// Shared string table with its index; strings are split over CONTINUE
// records where needed, each continuation starting with its own option byte.
class SstWriter
{
public:
    SstWriter(Stream &s, const std::vector<const std::u16string *> &strings, uint32_t total)
        : m_s(s)
    {
        m_bucket = static_cast<uint16_t>(strings.size() / 128 + 1);
        if (m_bucket < 8)
            m_bucket = 8;
        m_recordStart = m_s.Pos();
        m_lengthAt = m_s.Begin(RecSst);
        m_s.U32(total);
        m_s.U32(static_cast<uint32_t>(strings.size()));
        for (size_t i = 0; i < strings.size(); ++i)
            Add(*strings[i], i);
        m_s.End(m_lengthAt);
    }

    void WriteExtSst()
    {
        const size_t at = m_s.Begin(RecExtSst);
        m_s.U16(m_bucket);
        for (const auto &entry : m_index) {
            m_s.U32(entry.first);
            m_s.U16(entry.second);
            m_s.U16(0);
        }
        m_s.End(at);
    }

private:
    size_t Room() const { return kMaxRecordData - (m_s.Pos() - m_lengthAt - 2); }

    void NextRecord()
    {
        m_s.End(m_lengthAt);
        m_recordStart = m_s.Pos();
        m_lengthAt = m_s.Begin(RecContinue);
    }

    void Add(const std::u16string &str, size_t index)
    {
        const bool compressed = FitsLatin1(str);
        const size_t unit = compressed ? 1 : 2;
        // Header and at least one character stay together.
        if (Room() < 3 + (str.empty() ? 0 : unit))
            NextRecord();
        if (index % m_bucket == 0) {
            m_index.emplace_back(static_cast<uint32_t>(m_s.Pos()),
                                 static_cast<uint16_t>(m_s.Pos() - m_recordStart));
        }
        m_s.U16(static_cast<uint16_t>(str.size()));
        m_s.U8(compressed ? 0 : 1);
        size_t done = 0;
        while (done < str.size()) {
            size_t fit = Room() / unit;
            if (fit == 0) {
                NextRecord();
                m_s.U8(compressed ? 0 : 1);
                continue;
            }
            if (fit > str.size() - done)
                fit = str.size() - done;
            m_s.Chars(str.substr(done, fit), compressed);
            done += fit;
        }
    }

    Stream &m_s;
    uint16_t m_bucket = 8;
    size_t m_recordStart = 0;
    size_t m_lengthAt = 0;
    std::vector<std::pair<uint32_t, uint16_t>> m_index;
};

} // namespace

std::u16string ValidSheetName(const std::u16string &name)
{
    std::u16string out;
    for (char16_t c : name) {
        if (out.size() == 31)
            break;
        switch (c) {
        case u':': case u'\\': case u'/': case u'?': case u'*': case u'[': case u']':
            out.push_back(u'_');
            break;
        default:
            out.push_back(c < 0x20 ? u'_' : c);
        }
    }
    // A trailing high surrogate cut off from its pair would be an invalid text.
    if (!out.empty() && out.back() >= 0xD800 && out.back() <= 0xDBFF)
        out.pop_back();
    if (!out.empty() && out.front() == u'\'')
        out.front() = u'_';
    if (!out.empty() && out.back() == u'\'')
        out.back() = u'_';
    if (out.empty())
        out = u"Sheet1";
    return out;
}

std::string BuildWorkbookStream(const std::vector<SheetData> &sheets)
{
    // Shared strings in order of first use.
    std::unordered_map<std::u16string, uint32_t> ids;
    std::vector<const std::u16string *> unique;
    uint32_t total = 0;
    for (const SheetData &sheet : sheets) {
        for (const auto &row : sheet.rows) {
            for (const std::u16string &cell : row) {
                if (cell.empty())
                    continue;
                ++total;
                auto inserted = ids.emplace(cell, static_cast<uint32_t>(unique.size()));
                if (inserted.second)
                    unique.push_back(&inserted.first->first);
            }
        }
    }

    Stream s;
    s.bytes.reserve(64 * 1024 + static_cast<size_t>(total) * 14);
    WriteBof(s, 0x0005);
    {
        const size_t at = s.Begin(RecCodePage);
        s.U16(1200); // UTF-16
        s.End(at);
    }
    {
        const size_t at = s.Begin(RecWindow1);
        s.U16(0);
        s.U16(0);
        s.U16(0x3A5C);
        s.U16(0x23BE);
        s.U16(0x0038);
        s.U16(0);      // active sheet
        s.U16(0);      // first visible tab
        s.U16(1);      // selected tabs
        s.U16(0x0258); // tab bar width ratio
        s.End(at);
    }
    {
        const size_t at = s.Begin(RecDateMode);
        s.U16(0);
        s.End(at);
    }
    for (int i = 0; i < 4; ++i)
        WriteFont(s);
    // Excel's defaults: the Normal style, fourteen font styles that set
    // nothing of their own, and the cell format every cell uses.
    WriteXf(s, true, 0x00);
    for (int i = 1; i < 15; ++i)
        WriteXf(s, true, 0xF4);
    WriteXf(s, false, 0x00);
    {
        const size_t at = s.Begin(RecStyle);
        s.U16(0x8000); // built-in style on XF 0
        s.U8(0);       // "Normal"
        s.U8(0xFF);
        s.End(at);
    }
    std::vector<size_t> sheetOffsetAt;
    for (const SheetData &sheet : sheets) {
        const std::u16string name = ValidSheetName(sheet.name);
        const size_t at = s.Begin(RecBoundSheet);
        sheetOffsetAt.push_back(s.Pos());
        s.U32(0); // patched below
        s.U16(0); // visible worksheet
        s.U8(static_cast<uint8_t>(name.size()));
        const bool compressed = FitsLatin1(name);
        s.U8(compressed ? 0 : 1);
        s.Chars(name, compressed);
        s.End(at);
    }
    SstWriter sst(s, unique, total);
    sst.WriteExtSst();
    WriteEof(s);

    for (size_t n = 0; n < sheets.size(); ++n) {
        const SheetData &sheet = sheets[n];
        s.Patch32(sheetOffsetAt[n], static_cast<uint32_t>(s.Pos()));
        WriteBof(s, 0x0010);
        size_t columns = 0;
        for (const auto &row : sheet.rows)
            columns = row.size() > columns ? row.size() : columns;
        if (columns > 0) {
            const size_t at = s.Begin(RecColInfo);
            s.U16(0);
            s.U16(static_cast<uint16_t>(columns - 1));
            s.U16(18 * 256); // wide enough for addresses and serials
            s.U16(kCellXf);
            s.U16(0);
            s.U16(0);
            s.End(at);
        }
        {
            const size_t at = s.Begin(RecDimensions);
            s.U32(0);
            s.U32(static_cast<uint32_t>(sheet.rows.size()));
            s.U16(0);
            s.U16(static_cast<uint16_t>(columns));
            s.U16(0);
            s.End(at);
        }
        for (size_t r = 0; r < sheet.rows.size(); ++r) {
            const auto &row = sheet.rows[r];
            for (size_t c = 0; c < row.size(); ++c) {
                if (row[c].empty())
                    continue;
                const size_t at = s.Begin(RecLabelSst);
                s.U16(static_cast<uint16_t>(r));
                s.U16(static_cast<uint16_t>(c));
                s.U16(kCellXf);
                s.U32(ids.find(row[c])->second);
                s.End(at);
            }
        }
        {
            const size_t at = s.Begin(RecWindow2);
            s.U16(n == 0 ? 0x06B6 : 0x04B6); // gridlines, headings; the first sheet selected
            s.U16(0);
            s.U16(0);
            s.U16(64);
            s.U16(0);
            s.U16(0);
            s.U16(0);
            s.U32(0);
            s.End(at);
        }
        WriteEof(s);
    }
    return std::move(s.bytes);
}

} // namespace xlsodbc
