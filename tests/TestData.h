#pragma once

#include <string>
#include <vector>

namespace padrix::test {

/// One row of a tab-separated test table, with its line number for messages.
struct TableRow {
    int line = 0;
    std::vector<std::string> fields;
};

/// The rows of tests/data/<name> after its header row.
std::vector<TableRow> readTable(const std::string& name);

} // namespace padrix::test
