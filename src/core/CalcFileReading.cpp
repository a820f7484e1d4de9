#include "core/CalcFileReading.h"

#include "core/CalcFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace padrix {

CalcFileRead readCalcFile(const QString& path, const NumberLocale& locale) {
    CalcFileRead read;
    if (!QFileInfo(path).isFile()) {
        read.error =
            QCoreApplication::translate("padrix::CalcFileReading", "the file does not exist")
                .toStdString();
        return read;
    }
    read.tape = loadCalcFile(path, locale, &read.error);
    return read;
}

CalcFileReading::CalcFileReading(QString path, NumberLocale locale)
    : m_path(std::move(path)), m_locale(std::move(locale)),
      m_result(std::async(std::launch::async, readCalcFile, m_path, m_locale)) {}

CalcFileReading::~CalcFileReading() {
    if (m_result.valid())
        m_result.wait();
}

CalcFileRead CalcFileReading::take() {
    return m_result.get();
}

} // namespace padrix
