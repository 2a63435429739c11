#include "export/DelimitedText.h"

#include "results/FieldCatalog.h"

namespace hollowsweep {

namespace {

constexpr std::string_view LineEnd = "\r\n";

class TLineWriter {
public:
    TLineWriter(std::string& out, std::string_view separator, TQuoting quoting)
        : out_(out)
        , separator_(separator)
        , quoting_(quoting) {}

    void Append(std::string_view text) {
        if (quoting_ == TQuoting::WhereNeeded && NeedsQuotes(text)) {
            AppendQuoted(text);
        } else {
            out_ += text;
        }
    }

    void Separate() { out_ += separator_; }

private:
    bool NeedsQuotes(std::string_view text) const {
        return text.find(separator_) != std::string_view::npos ||
               text.find_first_of("\"\r\n") != std::string_view::npos;
    }

    void AppendQuoted(std::string_view text) {
        out_ += '"';
        for (const char c : text) {
            if (c == '"') {
                out_ += '"';
            }
            out_ += c;
        }
        out_ += '"';
    }

    std::string& out_;
    std::string_view separator_;
    TQuoting quoting_;
};

} // namespace

std::string BuildDelimitedText(const TResultList& list, const std::vector<std::string>& columns,
                               std::string_view separator, TQuoting quoting) {
    std::string text;
    TLineWriter line(text, separator, quoting);
    for (const auto& name : columns) {
        line.Append(name);
        line.Separate();
    }
    text += LineEnd;

    std::vector<TFieldIndex> fields;
    for (const auto& name : columns) {
        fields.push_back(FieldIndexOf(name));
    }
    for (const auto& entry : list) {
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (column > 0) {
                line.Separate();
            }
            line.Append(entry.Record.Field(fields[column]));
        }
        text += LineEnd;
    }
    return text;
}

} // namespace hollowsweep
