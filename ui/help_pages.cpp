// The help pages: their tab titles, in tab order, and the HTML files that hold their texts
// (ui/resources/help/, built into the program).
#include "ui/help_pages.h"

#include "ui/resources.h"

namespace veksa {

namespace {

const HelpPage kPages[] = {
    {"Методические указания", ":/help/guide.html", true},
    {"Структура базы знаний", ":/help/structure.html", true},
    {"Использование переменной", ":/help/variables.html", true},
    {"Подсчёт коэффициентов уверенности", ":/help/certainty.html", true},
    {"Горячие клавиши", ":/help/hotkeys.html", false},
    {"Рекомендации", ":/help/advice.html", true},
};

}  // namespace

std::span<const HelpPage> helpPages() { return kPages; }

QString helpPageHtml(const HelpPage& page) { return resourceText(QString::fromUtf8(page.resource)); }

}  // namespace veksa
