#include "Statement.h"

#include "Utf.h"

namespace xlsodbc {

namespace {

constexpr int kMaxTextField = 255;

class Parser
{
public:
    explicit Parser(const std::u16string &sql) : m_sql(sql) {}

    bool Parse(Statement *st, SqlError *error)
    {
        m_error = error;
        SkipSpace();
        if (Keyword(u"CREATE")) {
            if (!Expect(u"TABLE"))
                return false;
            return ParseCreate(st);
        }
        if (Keyword(u"INSERT")) {
            if (!Expect(u"INTO"))
                return false;
            return ParseInsert(st);
        }
        return Fail("42000", "Only CREATE TABLE and INSERT INTO statements are supported by the workbook driver.");
    }

private:
    bool ParseCreate(Statement *st)
    {
        st->kind = Statement::Kind::CreateTable;
        if (!Identifier(&st->table, &Parser::OpensList))
            return false;
        if (!Symbol(u'('))
            return Fail("42000", "Syntax error in CREATE TABLE: \"(\" expected after the table name.");
        do {
            FieldDef f;
            if (!Identifier(&f.name, &Parser::StartsType) || !FieldType(&f.size))
                return false;
            const std::u16string folded = FoldAscii(f.name);
            for (const FieldDef &other : st->fields) {
                if (FoldAscii(other.name) == folded)
                    return Fail("42S21", "Field \"" + Utf16ToUtf8(f.name) + "\" is defined twice.");
            }
            st->fields.push_back(f);
        } while (Symbol(u','));
        if (!Symbol(u')'))
            return Fail("42000", "Syntax error in CREATE TABLE: \",\" or \")\" expected.");
        if (st->fields.size() > 256)
            return Fail("42000", "A sheet holds at most 256 fields.");
        return End();
    }

    bool ParseInsert(Statement *st)
    {
        st->kind = Statement::Kind::Insert;
        if (!Identifier(&st->table, &Parser::OpensListOrValues))
            return false;
        if (Symbol(u'(')) {
            do {
                std::u16string name;
                if (!Identifier(&name, &Parser::EndsListItem))
                    return false;
                st->columns.push_back(name);
            } while (Symbol(u','));
            if (!Symbol(u')'))
                return Fail("42000", "Syntax error in INSERT: \",\" or \")\" expected in the field list.");
        }
        if (!Expect(u"VALUES"))
            return false;
        if (!Symbol(u'('))
            return Fail("42000", "Syntax error in INSERT: \"(\" expected after VALUES.");
        do {
            ValueExpr v;
            SkipSpace();
            if (Symbol(u'?')) {
                v.kind = ValueKind::Parameter;
                v.parameter = ++st->parameterCount;
            } else if (Peek() == u'\'') {
                v.kind = ValueKind::Literal;
                if (!Quoted(u'\'', &v.text))
                    return false;
            } else if (Keyword(u"NULL")) {
                v.kind = ValueKind::Null;
            } else {
                return Fail("42000", "Syntax error in INSERT: a value must be ?, a quoted text or NULL.");
            }
            st->values.push_back(v);
        } while (Symbol(u','));
        if (!Symbol(u')'))
            return Fail("42000", "Syntax error in INSERT: \",\" or \")\" expected in the value list.");
        if (!st->columns.empty() && st->columns.size() != st->values.size())
            return Fail("21S01", "The number of values does not match the number of fields.");
        return End();
    }

    bool FieldType(int *size)
    {
        SkipSpace();
        bool sized = false;
        if (Keyword(u"CHAR") || Keyword(u"VARCHAR") || Keyword(u"CHARACTER") || Keyword(u"TEXT")
            || Keyword(u"NVARCHAR") || Keyword(u"NCHAR")) {
            sized = true;
        } else {
            return Fail("42000", "Unsupported field type: the workbook driver stores text fields only.");
        }
        *size = kMaxTextField;
        if (sized && Symbol(u'(')) {
            SkipSpace();
            long n = 0;
            size_t digits = 0;
            while (m_pos < m_sql.size() && m_sql[m_pos] >= u'0' && m_sql[m_pos] <= u'9') {
                n = n * 10 + (m_sql[m_pos] - u'0');
                if (n > 100000)
                    n = 100000;
                ++m_pos;
                ++digits;
            }
            if (digits == 0 || !Symbol(u')'))
                return Fail("42000", "Syntax error in a field size.");
            if (n < 1 || n > kMaxTextField)
                return Fail("HY104", "A text field holds 1 to 255 characters.");
            *size = static_cast<int>(n);
        }
        return true;
    }

    // What must come after a name; a name's closing character is only taken
    // as such where the statement goes on as it must.
    using Follower = bool (Parser::*)(size_t) const;

    size_t SkipSpaceFrom(size_t p) const
    {
        while (p < m_sql.size() && (m_sql[p] == u' ' || m_sql[p] == u'\t' || m_sql[p] == u'\r' || m_sql[p] == u'\n'))
            ++p;
        return p;
    }
    bool OpensList(size_t p) const
    {
        p = SkipSpaceFrom(p);
        return p < m_sql.size() && m_sql[p] == u'(';
    }
    bool KeywordAt(size_t p, const std::u16string &word) const
    {
        for (size_t i = 0; i < word.size(); ++i, ++p) {
            if (p >= m_sql.size())
                return false;
            char16_t c = m_sql[p];
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - u'a' + u'A');
            if (c != word[i])
                return false;
        }
        return p >= m_sql.size() || !IsWordChar(m_sql[p]);
    }
    bool OpensListOrValues(size_t p) const
    {
        return OpensList(p) || KeywordAt(SkipSpaceFrom(p), u"VALUES");
    }
    bool StartsType(size_t p) const
    {
        p = SkipSpaceFrom(p);
        for (const char16_t *type : {u"CHAR", u"VARCHAR", u"CHARACTER", u"TEXT", u"NVARCHAR", u"NCHAR"}) {
            if (KeywordAt(p, type))
                return true;
        }
        return false;
    }
    bool EndsListItem(size_t p) const
    {
        p = SkipSpaceFrom(p);
        return p < m_sql.size() && (m_sql[p] == u',' || m_sql[p] == u')');
    }

    // A delimited name: with the closing character doubled inside it, as SQL
    // writes it, or else (names written without doubling, such as a file
    // name "list[1]") up to the closing character the statement goes on after.
    bool Delimited(char16_t close, std::u16string *name, Follower follows)
    {
        const size_t start = m_pos;
        std::u16string text;
        if (Quoted(close, &text) && (this->*follows)(m_pos)) {
            *name = text;
            return true;
        }
        for (size_t p = start + 1; p < m_sql.size(); ++p) {
            if (m_sql[p] == close && (this->*follows)(p + 1)) {
                *name = m_sql.substr(start + 1, p - start - 1);
                m_pos = p + 1;
                return true;
            }
        }
        m_pos = start;
        return Quoted(close, name);
    }

    bool Identifier(std::u16string *name, Follower follows)
    {
        SkipSpace();
        const char16_t c = Peek();
        bool ok = true;
        if (c == u'[') {
            ok = Delimited(u']', name, follows);
        } else if (c == u'"' || c == u'`') {
            ok = Delimited(c, name, follows);
        } else {
            while (m_pos < m_sql.size() && IsWordChar(m_sql[m_pos]))
                name->push_back(m_sql[m_pos++]);
        }
        if (!ok)
            return false;
        if (name->empty())
            return Fail("42000", "Syntax error: a name is missing.");
        return true;
    }

    // Reads a text enclosed in open/close; a doubled closing character stands for itself.
    bool Quoted(char16_t close, std::u16string *out)
    {
        ++m_pos; // opening character
        while (m_pos < m_sql.size()) {
            const char16_t c = m_sql[m_pos++];
            if (c == close) {
                if (m_pos < m_sql.size() && m_sql[m_pos] == close) {
                    out->push_back(close);
                    ++m_pos;
                    continue;
                }
                return true;
            }
            out->push_back(c);
        }
        return Fail("42000", "Syntax error: a quoted name or text is not closed.");
    }

    bool End()
    {
        SkipSpace();
        if (m_pos < m_sql.size() && m_sql[m_pos] == u';') {
            ++m_pos;
            SkipSpace();
        }
        if (m_pos != m_sql.size())
            return Fail("42000", "Syntax error: unexpected text at the end of the statement.");
        return true;
    }

    static bool IsWordChar(char16_t c)
    {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'_' || c > 0x7F;
    }

    char16_t Peek() const { return m_pos < m_sql.size() ? m_sql[m_pos] : u'\0'; }

    void SkipSpace()
    {
        while (m_pos < m_sql.size() && (m_sql[m_pos] == u' ' || m_sql[m_pos] == u'\t'
                                        || m_sql[m_pos] == u'\r' || m_sql[m_pos] == u'\n'))
            ++m_pos;
    }

    bool Symbol(char16_t c)
    {
        SkipSpace();
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool Keyword(const char16_t *word)
    {
        SkipSpace();
        size_t i = 0;
        size_t p = m_pos;
        for (; word[i]; ++i, ++p) {
            if (p >= m_sql.size())
                return false;
            char16_t c = m_sql[p];
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - u'a' + u'A');
            if (c != word[i])
                return false;
        }
        if (p < m_sql.size() && IsWordChar(m_sql[p]))
            return false;
        m_pos = p;
        return true;
    }

    bool Expect(const char16_t *word)
    {
        if (Keyword(word))
            return true;
        return Fail("42000", "Syntax error: " + Utf16ToUtf8(word) + " expected.");
    }

    bool Fail(const char *state, const std::string &message)
    {
        m_error->state = state;
        m_error->message = message;
        return false;
    }

    const std::u16string &m_sql;
    size_t m_pos = 0;
    SqlError *m_error = nullptr;
};

} // namespace

bool ParseStatement(const std::u16string &sql, Statement *statement, SqlError *error)
{
    *statement = Statement();
    return Parser(sql).Parse(statement, error);
}

} // namespace xlsodbc
