#include "TestData.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace padrix::test {

std::vector<TableRow> readTable(const std::string& name) {
    const std::string path = std::string(PADRIX_TEST_DATA) + "/" + name;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<TableRow> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (number == 1 || line.empty())
            continue; // header
        TableRow row{number, {}};
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            row.fields.push_back(field);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace padrix::test
