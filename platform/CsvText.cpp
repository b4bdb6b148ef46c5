#include "platform/CsvText.h"

namespace norda {

void AppendCsvField(std::string& line, std::string_view field, char separator) {
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::vector<CsvRecord> ParseCsv(std::string_view text, char separator) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;
    bool inRecord = false;
    auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        inRecord = true;
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endField();
            records.push_back(std::move(record));
            record.clear();
            inRecord = false;
        } else {
            field += c;
        }
    }
    if (inRecord) {
        endField();
        records.push_back(std::move(record));
    }
    return records;
}

char GuessCsvSeparator(std::string_view text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

}  // namespace norda
