#include "compiler/lexer.h"

#include "compiler/unicode.h"

#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace certpluck::gbc {
namespace {

constexpr std::string_view punctuation = "{}<>[]();,:=.+-";

// The names an escape may give an ASCII control character by, as "\ESC".
constexpr std::array<std::string_view, 33> control_names = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT",  "LF",  "VT", "FF", "CR", "SO", "SI", "DLE",
    "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US", "SP"};

bool IsDigit(char c, int base)
{
    if (base == 16) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    return c >= '0' && c < static_cast<char>('0' + base);
}

class Lexer {
public:
    Lexer(SourceFile& file, Diagnostics& diagnostics) : _file(file), _text(file.text), _diagnostics(diagnostics)
    {
        _file.line_starts.assign(1, 0);
    }

    TokenList Run()
    {
        TokenList list;
        std::vector<Token>& tokens = list.tokens;
        for (;;) {
            SkipSpaceAndComments();
            if (_offset >= _text.size()) {
                break;
            }
            Token token;
            token.position = Here();
            const size_t begin = _offset;
            if (LexToken(token)) {
                token.text = _text.substr(begin, _offset - begin);
                tokens.push_back(std::move(token));
            }
        }
        Token end;
        end.position = Here();
        tokens.push_back(end);
        list.strings = std::move(_strings);
        return list;
    }

private:
    Position Here() const { return {&_file, static_cast<uint32_t>(_file.line_starts.size()), _column}; }

    char Peek(size_t ahead = 0) const { return _offset + ahead < _text.size() ? _text[_offset + ahead] : '\0'; }

    // Moves past one code point, keeping count of lines and columns.
    char32_t Advance()
    {
        const char32_t code_point = DecodeUtf8(_text, _offset);
        if (code_point == '\n') {
            _file.line_starts.push_back(_offset);
            _column = 1;
        } else {
            ++_column;
        }
        return code_point;
    }

    void SkipSpaceAndComments()
    {
        while (_offset < _text.size()) {
            if (Peek() == '/' && Peek(1) == '/') {
                while (_offset < _text.size() && Peek() != '\n') {
                    Advance();
                }
            } else if (Peek() == '/' && Peek(1) == '*') {
                const Position start = Here();
                Advance();
                Advance();
                while (_offset < _text.size() && !(Peek() == '*' && Peek(1) == '/')) {
                    Advance();
                }
                if (_offset >= _text.size()) {
                    _diagnostics.Error(start, "unterminated comment");
                    return;
                }
                Advance();
                Advance();
            } else {
                size_t next = _offset;
                const char32_t code_point = DecodeUtf8(_text, next);
                if (code_point == invalid_code_point || !IsSpace(code_point)) {
                    return;
                }
                Advance();
            }
        }
    }

    // Returns false when the text was not a token (and was reported).
    bool LexToken(Token& token)
    {
        const char c = Peek();
        if (c >= '0' && c <= '9') {
            return LexNumber(token);
        }
        if (c == '"') {
            return LexString(token);
        }
        if (punctuation.find(c) != std::string_view::npos) {
            Advance();
            token.kind = TokenKind::punctuation;
            return true;
        }
        const size_t begin = _offset;
        const char32_t code_point = Advance();
        if (code_point == '_' || IsLetter(code_point)) {
            SkipIdentifierTail();
            // The two meta types are written with a scope operator that is
            // no token of its own anywhere else.
            if (_text.substr(begin, _offset - begin) == "bond_meta" && Peek() == ':' && Peek(1) == ':') {
                Advance();
                Advance();
                SkipIdentifierTail();
            }
            token.kind = TokenKind::identifier;
            return true;
        }
        if (code_point == invalid_code_point) {
            _diagnostics.Error(token.position, "invalid UTF-8 in the schema file");
        } else if (code_point >= 0x20 && code_point < 0x7F) {
            _diagnostics.Error(token.position, fmt::format("unexpected character '{}'", static_cast<char>(code_point)));
        } else {
            _diagnostics.Error(token.position,
                               fmt::format("unexpected character U+{:04X}", static_cast<uint32_t>(code_point)));
        }
        return false;
    }

    void SkipIdentifierTail()
    {
        while (_offset < _text.size()) {
            size_t next = _offset;
            const char32_t code_point = DecodeUtf8(_text, next);
            if (code_point != '_' && (code_point == invalid_code_point || !IsLetterOrNumber(code_point))) {
                return;
            }
            Advance();
        }
    }

    bool LexNumber(Token& token)
    {
        int base = 10;
        if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X') && IsDigit(Peek(2), 16)) {
            base = 16;
        } else if (Peek() == '0' && (Peek(1) == 'o' || Peek(1) == 'O') && IsDigit(Peek(2), 8)) {
            base = 8;
        }
        if (base != 10) {
            Advance();
            Advance();
        }
        const size_t digits = _offset;
        while (IsDigit(Peek(), base)) {
            Advance();
        }
        bool is_float = false;
        if (base == 10 && Peek() == '.' && IsDigit(Peek(1), 10)) {
            is_float = true;
            Advance();
            while (IsDigit(Peek(), 10)) {
                Advance();
            }
        }
        if (base == 10 && (Peek() == 'e' || Peek() == 'E') &&
            (IsDigit(Peek(1), 10) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2), 10)))) {
            is_float = true;
            Advance();
            Advance();
            while (IsDigit(Peek(), 10)) {
                Advance();
            }
        }
        const std::string_view text = _text.substr(digits, _offset - digits);
        if (is_float) {
            token.kind = TokenKind::floating;
            // from_chars parses every decimal form the lexer accepts. A value
            // too small for a double rounds to the nearest one (zero at
            // worst), as the library's compiler reads it; a value too large is
            // an error, not the infinity that compiler writes as null.
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), token.floating);
            if (error == std::errc::result_out_of_range) {
                token.floating = std::strtod(std::string(text).c_str(), nullptr);
            }
            if (error != std::errc() && (error != std::errc::result_out_of_range || std::isinf(token.floating))) {
                _diagnostics.Error(token.position, "floating-point literal out of range");
                return false;
            }
            return end == text.data() + text.size();
        }
        token.kind = TokenKind::integer;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), token.integer, base);
        token.too_large = error == std::errc::result_out_of_range;
        return true;
    }

    bool LexString(Token& token)
    {
        token.kind = TokenKind::string;
        token.string_index = static_cast<uint32_t>(_strings.size());
        std::string& value = _strings.emplace_back();
        Advance();
        bool valid = true;
        while (_offset < _text.size() && Peek() != '"') {
            const Position at = Here();
            if (Peek() == '\\') {
                Advance();
                valid = LexEscape(value, at) && valid;
                continue;
            }
            const char32_t code_point = Advance();
            if (code_point == invalid_code_point) {
                _diagnostics.Error(at, "invalid UTF-8 in a string literal");
                valid = false;
            } else {
                AppendUtf8(value, code_point);
            }
        }
        if (_offset >= _text.size()) {
            _diagnostics.Error(token.position, "unterminated string literal");
            return false;
        }
        Advance();
        return valid;
    }

    // The escapes of the library's compiler, which are its implementation
    // language's: "\65" is decimal, "\o101" octal, "\x41" hexadecimal,
    // "\^A" and "\SOH" name controls, "\&" stands for nothing.
    bool LexEscape(std::string& value, Position at)
    {
        const char c = Peek();
        constexpr std::string_view simple = "abfnrtv\\\"'";
        constexpr std::string_view meaning = "\a\b\f\n\r\t\v\\\"'";
        if (const size_t index = simple.find(c); c != '\0' && index != std::string_view::npos) {
            Advance();
            value.push_back(meaning[index]);
            return true;
        }
        if (c == '&') {
            Advance();
            return true;
        }
        if (c == '^' && Peek(1) >= '@' && Peek(1) <= '_') {
            Advance();
            value.push_back(static_cast<char>(Advance() - '@'));
            return true;
        }
        int base = 10;
        if (c == 'x' || c == 'o') {
            base = c == 'x' ? 16 : 8;
            if (!IsDigit(Peek(1), base)) {
                _diagnostics.Error(at, "invalid escape sequence in a string literal");
                return false;
            }
            Advance();
        }
        if (IsDigit(Peek(), base)) {
            uint32_t code_point = 0;
            bool too_large = false;
            while (IsDigit(Peek(), base)) {
                const char digit = static_cast<char>(Advance());
                const auto digit_value = static_cast<uint32_t>(digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10);
                too_large = too_large || code_point > (0x10FFFF - digit_value) / static_cast<uint32_t>(base);
                code_point = too_large ? 0 : code_point * static_cast<uint32_t>(base) + digit_value;
            }
            if (too_large || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
                _diagnostics.Error(at, "escape sequence out of the range of Unicode characters");
                return false;
            }
            AppendUtf8(value, code_point);
            return true;
        }
        // The longest name first: "\SOH" is not "\SO" followed by "H".
        size_t best = control_names.size();
        for (size_t i = 0; i < control_names.size(); ++i) {
            if (_text.substr(_offset, control_names[i].size()) == control_names[i] &&
                (best == control_names.size() || control_names[i].size() > control_names[best].size())) {
                best = i;
            }
        }
        if (best == control_names.size() && _text.substr(_offset, 3) == "DEL") {
            _offset += 3;
            _column += 3;
            value.push_back('\x7F');
            return true;
        }
        if (best == control_names.size()) {
            _diagnostics.Error(at, "invalid escape sequence in a string literal");
            return false;
        }
        _offset += control_names[best].size();
        _column += static_cast<uint32_t>(control_names[best].size());
        value.push_back(best == 32 ? ' ' : static_cast<char>(best));
        return true;
    }

    SourceFile& _file;
    std::string_view _text;
    Diagnostics& _diagnostics;
    std::vector<std::string> _strings;
    size_t _offset = 0;
    uint32_t _column = 1;
};

}  // namespace

TokenList Tokenize(SourceFile& file, Diagnostics& diagnostics)
{
    return Lexer(file, diagnostics).Run();
}

std::string DecimalDigits(std::string_view literal)
{
    int base = 10;
    if (literal.size() > 2 && literal[0] == '0' && (literal[1] == 'x' || literal[1] == 'X')) {
        base = 16;
    } else if (literal.size() > 2 && literal[0] == '0' && (literal[1] == 'o' || literal[1] == 'O')) {
        base = 8;
    }
    if (base != 10) {
        literal.remove_prefix(2);
    }
    // The value's decimal digits, least significant first: each digit of the
    // literal multiplies them by the base and adds itself.
    std::string reversed;
    for (const char c : literal) {
        int carry = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        for (char& digit : reversed) {
            carry += (digit - '0') * base;
            digit = static_cast<char>('0' + carry % 10);
            carry /= 10;
        }
        for (; carry != 0; carry /= 10) {
            reversed.push_back(static_cast<char>('0' + carry % 10));
        }
    }
    return reversed.empty() ? "0" : std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace certpluck::gbc
