// The run-table windows with their captions and columns.
#include "ui/result_windows.h"

#include <QFontMetrics>

#include "ui/qt_text.h"

namespace veksa {

FactsWindow::FactsWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm12", QStringLiteral("Коэффициенты фактов"), ws.facts,
                  {{QStringLiteral("Параметр"), 100},
                   {QStringLiteral("Значение"), 100},
                   {QStringLiteral("Коэффициент"), 100}},
                  false, parent) {}

ResultsWindow::ResultsWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm11", toQString(ws.resultsCaption), ws.results,
                  {{QStringLiteral("Гипотеза"), 170},
                   {QStringLiteral("Значение гипотезы"), 170},
                   {QStringLiteral("Коэффициент уверенности"), 170}},
                  false, parent),
      ws_(ws) {}

void ResultsWindow::refresh() {
  const QString caption = toQString(ws_.resultsCaption);
  if (caption != windowTitle()) {
    setWindowTitle(caption);
    // The caption after a run names the method and the time: widen the window so that the
    // title bar shows it whole (its font is the window manager's, usually bold).
    QFont bold = font();
    bold.setBold(true);
    const int wanted = QFontMetrics(bold).horizontalAdvance(caption) + 120;
    if (width() < wanted) resize(wanted, height());
  }
  TableWindow::refresh();
}

ProtocolWindow::ProtocolWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm14", QStringLiteral("Протокол решения"), ws.protocol,
                  {{QStringLiteral("Правило"), 100},
                   {QStringLiteral("Решение"), 100},
                   {QStringLiteral("Коэффициент"), 100}},
                  true, parent) {}

VariablesWindow::VariablesWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm16", QStringLiteral("Переменные"), ws.variables,
                  {{QStringLiteral("Наименование"), 150}, {QStringLiteral("Значение"), 150}}, true,
                  parent) {}

}  // namespace veksa
