#include "core/export/DelimitedText.h"

#include "core/export/CharacterSet.h"
#include "core/export/ExportColumns.h"
#include "core/results/FieldCatalog.h"

namespace hollowsweep {

namespace {

constexpr std::string_view LineEnd = "\r\n";

class LineWriter {
public:
    LineWriter(TextOutput& out, std::string_view separator, Quoting quoting)
        : out_(out)
        , separator_(separator)
        , quoting_(quoting)
        , specials_(separator.size() == 1 ? "\"\r\n" + std::string(separator) : "\"\r\n") {}

    void Append(std::string_view text) {
        if (quoting_ == Quoting::WhereNeeded && NeedsQuotes(text)) {
            AppendQuoted(text);
        } else {
            out_.Append(text);
        }
    }

    void Separate() { out_.Append(separator_); }
    void EndLine() { out_.Append(LineEnd); }

private:
    bool NeedsQuotes(std::string_view text) const {
        return specials_.FindIn(text) != std::string_view::npos ||
               (separator_.size() > 1 && text.find(separator_) != std::string_view::npos);
    }

    void AppendQuoted(std::string_view text) {
        out_.Append('"');
        for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
            out_.Append(text.substr(0, quote + 1));
            out_.Append('"');
            text.remove_prefix(quote + 1);
        }
        out_.Append(text);
        out_.Append('"');
    }

    TextOutput& out_;
    std::string_view separator_;
    Quoting quoting_;
    // The bytes that make a value need quotes.
    CharacterSet specials_;
};

// The text's size without quotes, so that it is built without copying.
std::size_t EstimatedSize(const ResultList& list, const std::vector<std::string>& columns,
                          std::size_t separatorSize) {
    const std::vector<FieldIndex> fields = FieldsOfColumns(columns);
    return 256 + 64 * columns.size() +
           list.Count() * (fields.size() * separatorSize + LineEnd.size()) +
           FieldTextSize(list, fields);
}

} // namespace

Quoting QuotingFor(std::string_view separator) {
    return separator == CSVSeparator ? Quoting::WhereNeeded : Quoting::None;
}

void WriteDelimitedText(TextOutput& out, const ResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator,
                        Quoting quoting) {
    LineWriter line(out, separator, quoting);
    for (const auto& name : columns) {
        line.Append(name);
        line.Separate();
    }
    line.EndLine();

    const std::vector<FieldIndex> fields = FieldsOfColumns(columns);
    for (const auto& entry : list) {
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (column > 0) {
                line.Separate();
            }
            line.Append(entry.Record.Field(fields[column]));
        }
        line.EndLine();
    }
}

std::string BuildDelimitedText(const ResultList& list, const std::vector<std::string>& columns,
                               std::string_view separator, Quoting quoting) {
    TextOutput text;
    text.Reserve(EstimatedSize(list, columns, separator.size()));
    WriteDelimitedText(text, list, columns, separator, quoting);
    return std::move(text.Text());
}

} // namespace hollowsweep
