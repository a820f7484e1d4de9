#pragma once

#include <QBuffer>

#include <algorithm>
#include <string_view>

namespace padrix::test {

/// A file's bytes handed out at most `step` at a time, as a slow disk or a network drive may,
/// so that lines and letters are cut between reads.
class TricklingFile : public QBuffer {
public:
    TricklingFile(std::string_view text, qint64 step) : m_step(step) {
        setData(text.data(), static_cast<qsizetype>(text.size()));
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        return QBuffer::readData(data, std::min(maxSize, m_step));
    }

private:
    qint64 m_step;
};

} // namespace padrix::test
