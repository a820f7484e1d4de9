// Loading a calculation file from any bytes. A file that loads gives a total of the right
// form in every mode; saved and loaded back it gives the same tape text and the same totals.
// Loading may change a file's form (Latin-1 becomes UTF-8, lone CRs end lines, numbers are
// written as the locale writes them), so the saved text is checked to save again unchanged.
// The saved text read in the other locale gives the same running total and, saved there and
// read back, the same bytes.
#include "FuzzCheck.h"

#include "TotalInLocale.h"
#include "TricklingFile.h"
#include "core/CalcFile.h"

#include <cstdint>

using namespace padrix;

namespace {

bool hasDouble(const Tape& tape) {
    for (const Value& v : tape.TapeValues())
        if (v.isDouble())
            return true;
    return false;
}

/// True when every number that a line form reads by the locale's rules is a number by the
/// file's rule too, and so reads the same in every locale. Any other text is no number where
/// it was written, and may be one elsewhere.
bool readsAlikeEverywhere(const Tape& tape, const NumberLocale& locale) {
    for (const Value& v : tape.TapeValues()) {
        if (!v.isText())
            continue;
        const std::string_view text = v.textValue();
        if (!readsLocaleNumber(text))
            continue;
        const auto span = localeNumberSpan(text);
        if (!span || !fileNumberText(text.substr(span->first, span->second), locale))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const RecalcSettings chosen = fuzz::settingsFrom(data[0]);
    const NumberLocale& locale = chosen.locale;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string error;
    const std::optional<Tape> tape = parseCalcText(text, locale, &error);
    fuzz::check(tape.has_value() == error.empty(), "a refused file says why", error);

    // The same bytes read from a device, in small reads.
    test::TricklingFile device(text, 1 + static_cast<qint64>(text.size() % 61));
    std::string streamError;
    const std::optional<Tape> streamed =
        loadCalcStream(device, "fuzz", locale, &streamError, qint64(1) << 20);
    fuzz::check(streamed == tape, "a device gives the tape its text gives", streamError);
    if (!tape)
        return 0;

    const std::string saved = formatCalcText(*tape, locale);
    const std::optional<Tape> loaded = parseCalcText(saved, locale, &error);
    if (!loaded)
        fuzz::broken("a saved tape loads back", error);
    fuzz::check(formatCalcText(*loaded, locale) == saved, "a saved tape saves the same", saved);
    // A double within the decimal range is saved in plain figures and comes back as a
    // decimal of the same 15 figures. The running total and the Average read doubles that way
    // anyway; the Mean and the Mode compare and show values in their own form, so they are
    // compared only on tapes without doubles.
    const bool formChanges = hasDouble(*tape);
    for (int mode = TotalNumbers; mode <= TotalMode; ++mode) {
        RecalcSettings settings = chosen;
        settings.TotalMode = mode;
        const GrandTotal before = MailCalc(*tape, settings, "previous");
        fuzz::checkTotal(before, settings, "previous");
        if (formChanges && (mode == TotalMean || mode == TotalMode))
            continue;
        const GrandTotal after = MailCalc(*loaded, settings, "previous");
        fuzz::check(after == before, "a saved tape gives the same total",
                    before.text + " / " + after.text);
    }

    const NumberLocale other =
        locale == NumberLocale::english() ? NumberLocale::german() : NumberLocale::english();
    const std::optional<Tape> there = parseCalcText(saved, other, &error);
    if (!there)
        fuzz::broken("a saved tape loads in another locale", error);
    const std::optional<Tape> back = parseCalcText(formatCalcText(*there, other), locale, &error);
    if (!back)
        fuzz::broken("a tape saved in another locale loads back", error);
    if (!readsAlikeEverywhere(*loaded, locale))
        return 0;
    fuzz::check(test::totalIn(*there, other, other) == test::totalIn(*loaded, locale, other),
                "a saved tape gives the same total in another locale", saved);
    fuzz::check(formatCalcText(*back, locale) == saved,
                "a tape saved in another locale saves back the same", saved);
    return 0;
}
