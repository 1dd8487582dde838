#pragma once
// The program started on the Qt toolkit, with a recording keyboard, and
// ways to reach its widgets by name.

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QWidget>

#include <chrono>
#include <string>

#include "app/program.h"
#include "app/startup.h"
#include "headless/recording_keyboard.h"
#include "platform/controls.h"
#include "ui/chords_window.h"
#include "ui/qt_toolkit.h"

namespace hq::testing {

class Desktop {
public:
    explicit Desktop(const QString& pictureFolder = QString())
        : toolkit(pictureFolder), keyboard([] { return NowMs(); }) {
        StartProgram(program);
    }

    ui::ChordsWindow& Window() const { return *toolkit.Chords(state.windows.chords); }
    QWidget* Control(int32_t kid) const { return Window().Control(kid); }
    template <typename W>
    W* Control(const char* name) const {
        return Window().findChild<W*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }
    /// What the control shows as its text.
    std::string Text(int32_t kid) const { return ShownText(Control(kid)); }

    static std::string ShownText(const QWidget* w) {
        if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text().toStdString();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            return button->text().replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
        }
        if (const auto* list = qobject_cast<const QComboBox*>(w)) {
            return (list->currentIndex() < 0 ? list->placeholderText() : list->currentText()).toStdString();
        }
        return {};
    }

    SharedState state;
    ui::QtToolkit toolkit;
    RecordingKeyboard keyboard;
    Program program{state, toolkit, keyboard};

private:
    static int64_t NowMs() {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace hq::testing
