// The channel dialog as the user meets it: keys and clicks on the controls, OK and
// Cancel; what the message box says, which control the refusal focuses, and what the
// channel and the image hold afterwards.
#include <QLabel>
#include <QRadioButton>
#include <map>

#include "SheetEditing.h"
#include "datamodel/EepromImage.h"
#include "editors/sheets/MchDialog.h"

namespace {

struct SApp : SEditingApp {
    explicit SApp(int model) : SEditingApp(model) { Doc().SetModifiedFlag(false); }
    std::vector<uint8_t> Image() { return Registry().Image().Bytes(); }
    CNode& Holder(int channel) { return *Channels().Holder(channel); }
    QString Text(int channel, const char* field) {
        return QString::fromStdString(LeafText(*Holder(channel).FindChild(field)));
    }
};

void Show(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

// clang-format off
// A value typed into one control of the channel dialog, what the refusal begins
// with and something it says; simplex: the "Simplex" box cleared first.
struct SRefusal { const char* tag; int model; const char *field, *typed, *reason, *says; bool simplex; };
const SRefusal kRefusals[] = {
    {"FreqRx off the raster", 0, "FreqRx", "145.1251", "RX frequency: ", "nearest accepted", false},
    {"FreqTx out of range", 1, "FreqTx", "1000", "TX frequency: ", "\"1000\"", true},
    {"CTonTx no tone", 1, "CTonTx", "99.9", "TX C.Tone: ", "\"99.9\"", true},
    {"ScrmCode 256", 0, "ScrmCode", "256", "Scrambler code: ", "\"256\"", false},
};
// clang-format on

} // namespace

class ChannelDialogTest : public QObject {
    Q_OBJECT

private slots:
    // A refused value keeps the dialog open with the core's reason, focuses the
    // control, and stores nothing, not even the good values typed beside it.
    void refusedValueStoresNothing_data() { AddCases(kRefusals); }
    void refusedValueStoresNothing() {
        QFETCH(int, index);
        const SRefusal& c = kRefusals[index];
        SApp s(c.model);
        s.UseChannel(4, "145.125");
        const ChannelRecord record = CopyChannelRecord(s.Holder(4));
        const std::vector<uint8_t> image = s.Image();
        CTolvarMchDialog d(s.Registry(), c.model, 4, nullptr);
        Show(d);
        QCOMPARE(d.windowTitle(), QString("Edit Memory CH"));
        Put(*d.Control("Text"), "GOOD NAME");
        if (c.simplex) {
            QCheckBox* simplex = QString(c.field) == "FreqTx" ? d.FreqSimplex() : d.ToneSimplex();
            QVERIFY(simplex->isChecked());
            QTest::mouseClick(simplex, Qt::LeftButton);
        }
        Put(*d.Control(c.field), c.typed);
        Click(d, QDialogButtonBox::Ok);
        QVERIFY(d.isVisible());
        QCOMPARE(s.boxes.size(), 1);
        QVERIFY2(s.boxes[0].startsWith(c.reason) && s.boxes[0].contains(c.says),
                 qPrintable(s.boxes[0]));
        QVERIFY(Focused(d, *d.Control(c.field)));
        QVERIFY(CopyChannelRecord(s.Holder(4)) == record);
        QVERIFY(s.Image() == image);
        QVERIFY(!s.Doc().IsModified());
    }

    // OK stores every control at once, through the image; Cancel stores nothing.
    void okStoresAllCancelNone_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("ok");
        for (int model : {0, 1})
            for (bool ok : {true, false})
                QTest::addRow("%s %s", model ? "PMR" : "LMR", ok ? "OK" : "Cancel") << model << ok;
    }
    void okStoresAllCancelNone() {
        QFETCH(int, model);
        QFETCH(bool, ok);
        SApp s(model);
        s.UseChannel(7, "145.125");
        const ChannelRecord record = CopyChannelRecord(s.Holder(7));
        const std::vector<uint8_t> image = s.Image();
        const QString hang = s.Text(7, "HangOn") == "ON" ? "OFF" : "ON";
        const QString cNo = model == 1 && s.Text(7, "RxCNo3") == "_" ? "3" : "_";
        CTolvarMchDialog d(s.Registry(), model, 7, nullptr);
        Show(d);
        QVERIFY(d.FreqSimplex()->isChecked());
        QVERIFY(!d.Control("FreqTx")->Widget()->isEnabled());
        QTest::mouseClick(d.FreqSimplex(), Qt::LeftButton);
        QVERIFY(d.Control("FreqTx")->Widget()->isEnabled());
        Put(*d.Control("FreqRx"), "146.52");
        Put(*d.Control("FreqTx"), "146000000"); // in Hz
        QTest::mouseClick(d.ToneSimplex(), Qt::LeftButton);
        Put(*d.Control("CTonRx"), "88.5");
        Put(*d.Control("CTonTx"), "754i");
        Put(*d.Control("Text"), "NEW");
        QTest::mouseClick(d.Control("HangOn")->Check(), Qt::LeftButton);
        QComboBox* power = d.Control("RfPwr")->List();
        power->setFocus();
        QTest::keyClick(power, power->currentIndex() ? Qt::Key_Up : Qt::Key_Down);
        const QString rfPwr = power->currentText();
        // The LMR list names the repeater log ID's texts its own way.
        QComboBox* logId = d.Control("RptLogIdP")->List();
        QCOMPARE(logId->itemText(0), QString(model ? "5Tone" : "DTMF"));
        QTest::keyClick(logId, Qt::Key_Up);
        QTest::keyClick(logId, Qt::Key_Down);
        QTest::mouseClick(d.Control("ScrmOn")->Buttons().at(2), Qt::LeftButton);
        Put(*d.Control("ScrmCode"), "17");
        if (model == 1)
            QTest::mouseClick(d.Control("RxCNo3")->Check(), Qt::LeftButton);
        Click(d, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QCOMPARE(d.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(s.Doc().IsModified(), ok);
        if (!ok) {
            QVERIFY(CopyChannelRecord(s.Holder(7)) == record);
            QVERIFY(s.Image() == image);
            return;
        }
        const std::map<QString, QString> expected = {
            {"ChOn", "ON"},     {"FreqRx", "146.52000"}, {"FreqTx", "146.00000"},
            {"CTonRx", "88.5"}, {"CTonTx", "754i"},      {"Text", "NEW"},
            {"HangOn", hang},   {"RfPwr", rfPwr},        {"ScrmOn", "INH"},
            {"ScrmCode", "17"}, {"RptLogIdP", "CW ID"}};
        for (const auto& [field, text] : expected)
            QCOMPARE(s.Text(7, field.toUtf8().constData()), text);
        if (model == 1)
            QCOMPARE(s.Text(7, "RxCNo3"), cNo);
        // Stored through the image in the same step: the image holds the channel.
        QVERIFY(s.Image() != image);
        CTolvarMchDialog again(s.Registry(), model, 7, nullptr);
        QCOMPARE(again.Control("FreqTx")->Text(), QString("146.00000"));
        QVERIFY(!again.FreqSimplex()->isChecked() && !again.ToneSimplex()->isChecked());
    }

    // What the receive frequency and tone decide: the enabling of the other
    // controls, "Multi" sending no tone, and no frequency making the channel blank.
    void receiveSideRules() {
        SApp s(0);
        CTolvarMchDialog blank(s.Registry(), 0, 9, nullptr);
        QCOMPARE(blank.Control("FreqRx")->Text(), QString());
        QVERIFY(!blank.Control("ScrmOn")->Buttons().at(0)->isEnabled());
        QVERIFY(!blank.LabelOf("CTonTx")->isEnabled());
        Put(*blank.Control("FreqRx"), "145.5");
        QVERIFY(blank.Control("FreqTx")->Widget()->isEnabled()); // no "Simplex" yet

        s.UseChannel(3, "145.125");
        CTolvarMchDialog d(s.Registry(), 0, 3, nullptr);
        Show(d);
        QVERIFY(d.ToneSimplex()->isChecked());
        QVERIFY(!d.LabelOf("CTonTx")->isEnabled());
        QTest::mouseClick(d.ToneSimplex(), Qt::LeftButton);
        Put(*d.Control("CTonTx"), "100");
        Put(*d.Control("CTonRx"), "multi");
        // A key the text refuses leaves the caret where it was (which keys and how many
        // a box keeps: the code sheets).
        QLineEdit* text = d.Control("Text")->Edit();
        QTest::keyClicks(text, "~ab~cd");
        QTest::keyClick(text, Qt::Key_Home);
        QTest::keyClick(text, Qt::Key_Right);
        QTest::keyClicks(text, "~");
        QCOMPARE(text->text(), QString("abcd"));
        QCOMPARE(text->cursorPosition(), 1);
        Click(d, QDialogButtonBox::Ok);
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QCOMPARE(s.Text(3, "CTonRx"), QString("Multi"));
        QCOMPARE(s.Text(3, "CTonTx"), QString("OFF"));
        QCOMPARE(s.Text(3, "Text"), QString("abcd"));

        CTolvarMchDialog off(s.Registry(), 0, 3, nullptr);
        Show(off);
        Put(*off.Control("FreqRx"), "");
        QVERIFY(!off.Control("Text")->Widget()->isEnabled() && !off.FreqSimplex()->isEnabled());
        Click(off, QDialogButtonBox::Ok);
        QCOMPARE(s.Text(3, "ChOn"), QString("OFF"));
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<ChannelDialogTest>(argc, argv);
}

#include "ChannelDialogTest.moc"
