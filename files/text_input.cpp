#include "files/text_input.h"

namespace hyg {

LineRead ReadBoundedLine(std::istream& in, std::string& line, std::size_t maxLength) {
    line.clear();
    std::streambuf* buf = in.rdbuf();
    bool any = false;
    for (;;) {
        const auto c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            if (!any)
                return LineRead::End;
            break;
        }
        any = true;
        if (c == '\n')
            break;
        if (line.size() == maxLength) {
            // One character past the bound: a '\r' may still end the line.
            if (c == '\r' && buf->sgetc() == '\n') {
                buf->sbumpc();
                break;
            }
            return LineRead::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return LineRead::Line;
}

std::string Excerpt(std::string_view text, std::size_t maxChars) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    std::size_t shown = 0;
    for (const char ch : text) {
        if (shown == maxChars) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7f || c == '\\') {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xf];
        } else {
            out += ch;
        }
        ++shown;
    }
    return out;
}

} // namespace hyg
