#include "core/LineForms.h"

namespace padrix {

namespace {

template <class Kind, std::size_t N>
const LineForm<Kind>* firstIn(std::string_view text, const LineForm<Kind> (&forms)[N]) {
    for (const LineForm<Kind>& form : forms)
        if (text.find(form.marker) != std::string_view::npos)
            return &form;
    return nullptr;
}

} // namespace

const LineForm<TotalModifier>* totalModifierIn(std::string_view text) {
    return firstIn(text, TotalModifierForms);
}

const LineForm<LineFunction>* functionIn(std::string_view text) {
    return firstIn(text, FunctionForms);
}

} // namespace padrix
