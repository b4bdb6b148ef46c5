#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norda {

// RFC 4180 text as spreadsheets write it: fields split by `separator`, a field in
// double quotes may hold the separator, quotes (doubled) and line breaks; records end
// in CR LF, LF or a lone CR.

// Appends one field, quoted only when it has to be.
void AppendCsvField(std::string& line, std::string_view field, char separator = ',');

using CsvRecord = std::vector<std::string>;

// Every record of `text`, an empty line as a record of one empty field, so that record
// k is row k + 1 of the spreadsheet; a text without a final line break has its last
// record too. A quote that is never closed takes the rest of the text into its field.
std::vector<CsvRecord> ParseCsv(std::string_view text, char separator = ',');

// The separator of a text's first line: ";" when it holds more semicolons than commas
// outside quotes (the CSV of a spreadsheet that writes decimal commas), else ",".
char GuessCsvSeparator(std::string_view text);

}  // namespace norda
