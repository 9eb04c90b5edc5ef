#include "app/summary_report.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/tone_target.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "editors/ui/option_dlg.h"
#include "editors/ui/tone_table_dlg.h"
#include "modal_answerer.h"
#include "recording_paint_device.h"
#include "tests/support/test_files.h"
#include "widgets/numeric_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <clocale>
#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

class SilentAuditionPort : public AuditionPort {
public:
    void play(const AuditionRequest&, const std::function<void(int)>&) override {}
};

// What a user sees and what the pager would get after the same session.
struct Outcome {
    QStringList texts;
    CodeplugImage image;
};

void collectBoxes(QWidget* page, QStringList& texts) {
    for (const QLineEdit* edit : page->findChildren<QLineEdit*>())
        texts << edit->objectName() + QLatin1Char('=') + edit->text();
}

void typeAndEnter(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromUtf8(text));
    QTest::keyClick(edit, Qt::Key_Return);
}

// Every tab of the User Data window as shown, typed values in the Model Options
// and channel tabs, a tone picked from the Corvane table, and the printed summary.
Outcome runSession() {
    Outcome out;
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(test::validImage());
    state->loaded = true;
    SilentAuditionPort port;
    test::ModalAnswerer modals;
    {
        CDataTabDlg window(*state, port, [] { return false; });
        window.show();
        for (int page = 0; page < window.tabBar()->count(); ++page) {
            window.tabBar()->setCurrentIndex(page);
            collectBoxes(&window, out.texts);
        }
        window.tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
        auto* scan =
            window.optionPage()->findChild<NumericEdit*>(QStringLiteral("priorityScanTime"));
        modals.pressOnNextBox(QMessageBox::Ok); // the 0.512-second advice
        typeAndEnter(scan, "0.52");
        out.texts << scan->text();

        window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
        CChannelF1Dlg* channel = window.channelPage();
        typeAndEnter(channel->toneEdit({ToneKind::Group, 2}), "330.5");
        typeAndEnter(channel->timerEdit(), "12.5");
        collectBoxes(channel, out.texts);

        ToneTarget::process() = ToneTarget{0, 0, 1};
        CCorToneTable picker(*state, 0);
        for (int i = 0; i < 80; ++i)
            out.texts << picker.radio(i)->text();
        picker.radio(0)->setChecked(true); // "330.5 (110)"
        picker.accept();
        out.texts << picker.selectedText();
        out.image = state->editImage;
        window.onCancel();
    }
    const SummaryReport report(out.image, "f.ppg", "V02.13");
    for (int page = 1; page <= report.pageCount(); ++page) {
        test::RecordingPaintDevice device;
        QPainter painter(&device);
        report.paintPage(painter, page, 600);
        painter.end();
        for (const auto& t : device.recording.texts)
            out.texts << t.text;
    }
    return out;
}

TEST(LocaleIndependence, ADecimalCommaDesktopSeesTheSameTextsAndStoresTheSameBytes) {
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    const Outcome c = runSession();
    EXPECT_TRUE(c.texts.contains(QStringLiteral("0.520")));
    EXPECT_TRUE(c.texts.contains(QStringLiteral("IF : 45.1MHz")));
    EXPECT_EQ(ConstChannelBlock(c.image, 0).groupTone(1).tenthsHz, 3305);
    EXPECT_EQ(ConstChannelBlock(c.image, 0).groupTone(2).tenthsHz, 3305);

    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Outcome de = german ? runSession() : Outcome{};
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    if (!german)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (the locales-all package)";
    EXPECT_EQ(de.texts, c.texts);
    EXPECT_EQ(de.image, c.image);
}

// How the decimal point gets typed: the main keys' full stop or comma, the keypad's
// decimal key (a comma on a German keypad), or a paste.
enum class Typing { Keys, KeypadComma, Paste };

struct DecimalEntry {
    const char* box;
    const char* text;
    Typing typing;
    Address address;
    std::uint8_t stored; // worked out from the field's unit by hand
};

std::uint8_t typeDecimal(const DecimalEntry& e) {
    auto state = std::make_unique<CodeplugState>();
    CodeplugImage image = test::validImage();
    image.set(0x0210, static_cast<std::uint8_t>(image.at(0x0210) | 0x40)); // fixed alert length
    state->loadBoth(image);
    state->loaded = true;
    SilentAuditionPort port;
    test::ModalAnswerer modals;
    CDataTabDlg window(*state, port, [] { return false; });
    window.show();
    QLineEdit* edit = nullptr;
    if (std::string_view(e.box) == "timer") {
        window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
        edit = window.channelPage()->timerEdit();
    } else {
        window.tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
        edit = window.optionPage()->findChild<NumericEdit*>(QString::fromUtf8(e.box));
    }
    modals.pressOnNextBox(QMessageBox::Ok); // advice on a slow priority scan, if any
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    const QString text = QString::fromUtf8(e.text);
    if (e.typing == Typing::Paste) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else {
        for (const QChar c : text) {
            if (c == QLatin1Char(',') && e.typing == Typing::KeypadComma)
                QTest::keyClick(edit, Qt::Key_Comma, Qt::KeypadModifier);
            else
                QTest::keyClicks(edit, QString(c));
        }
    }
    QTest::keyClick(edit, Qt::Key_Return);
    const std::uint8_t stored = state->editImage.at(e.address);
    window.onCancel();
    return stored;
}

TEST(LocaleIndependence, ACommaIsTheDecimalPointInEveryDecimalBox) {
    const DecimalEntry entries[] = {
        {"timer", "1,5", Typing::Keys, 0x030A, 3}, // half seconds
        {"timer", "2,5", Typing::KeypadComma, 0x030A, 5},
        {"timer", "3,5", Typing::Paste, 0x030A, 7},
        {"priorityScanTime", "0,2", Typing::Keys, 0x0212, 25}, // 8 ms
        {"priorityScanTime", "0,4", Typing::KeypadComma, 0x0212, 50},
        {"alertDuration", "32,16", Typing::Keys, 0x0213, 67}, // 480 ms
        {"alertDuration", "64,32", Typing::Paste, 0x0213, 134},
        {"alertDuration", "1.44", Typing::Keys, 0x0213, 3},
    };
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr)
            continue; // de_DE is checked where the locales are installed
        QLocale::setDefault(std::string_view(locale) == "C"
                                ? QLocale::c()
                                : QLocale(QLocale::German, QLocale::Germany));
        for (const DecimalEntry& e : entries)
            EXPECT_EQ(typeDecimal(e), e.stored) << locale << ' ' << e.box << ' ' << e.text;
    }
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace quorl
