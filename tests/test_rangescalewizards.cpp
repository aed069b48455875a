// The range and scale wizards on a small two-channel panel without a main window: the
// test takes each queued write as sent and answers it with the echo it chooses.
#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLCDNumber>
#include <QPushButton>
#include <QtTest>

#include "calibrateapply.h"
#include "calibratescaler.h"
#include "calibratorpanel.h"
#include "calibwizard.h"
#include "channelsequence.h"
#include "globals.h"
#include "modalcloser.h"
#include "rangescalewizards.h"
#include "wizardchain.h"

namespace {

enum : unsigned { OFF = 3, LO = 4, HI = 5, CLO = 6, CHI = 7, MUL = 2, END_SEQ = 20, ERROR_SEQ = 21 };

const PanelDescription kDesc = {END_SEQ, ERROR_SEQ, "ATCCH1LO\r\n", LO,
                                {"ATCCH"}, {"ATCCH", "ATCOFF"}, {"ATCQ"}, {},
                                false, "", PanelDescription::Unlock,
                                0, nullptr, nullptr, nullptr, 1};

class WizardPanel : public CalibratorPanel
{
    Q_OBJECT
public:
    static constexpr int N = 2;
    explicit WizardPanel(bool typeCheck)
        : CalibratorPanel(kDesc, 1, "SN", nullptr)
    {
        auto* top = new QVBoxLayout(this);
        auto* frame = new QFrame(this);
        auto* leds = new QHBoxLayout;
        top->addWidget(frame);
        top->addLayout(leds);
        group = new QWidget(this);
        top->addWidget(group);
        QDoubleSpinBox** arrays[] = {rangeMin, rangeMax, corrMin, corrMax, scaledMin, scaledMax, multi, offset};
        for (auto* array : arrays)
            for (int i = 0; i < N; ++i) {
                array[i] = new QDoubleSpinBox(group);
                array[i]->setRange(-1e6, 1e6);
            }
        for (int i = 0; i < N; ++i) {
            lcd[i] = new QLCDNumber(group);
            rangeButton[i] = new QPushButton(group);
            scaleButton[i] = new QPushButton(group);
            rangeMin[i]->setSuffix(" mA");
            rangeMax[i]->setSuffix(" mA");
        }
        attachForm(frame, leds);
        wizards = new RangeScaleWizards(this, "ZQTEST", N, {OFF, LO, HI, CLO, CHI, MUL},
                                        {rangeMin, rangeMax, corrMin, corrMax, scaledMin, scaledMax, multi,
                                         lcd, rangeButton, scaleButton});
        if (typeCheck)
            wizards->setTypeCheck([this](int ch) { return type[ch - 1] >= 0; });
        refreshRows.reset(new ChannelSequence(this, N, {wizards->row(RangeScaleWizards::Lo)}));
        applyRows.reset(new ChannelSequence(
            this, N, {offsetRow(OFF, offset), wizards->row(RangeScaleWizards::Lo), wizards->row(RangeScaleWizards::Hi),
                      wizards->row(RangeScaleWizards::Clo), wizards->row(RangeScaleWizards::Chi),
                      wizards->row(RangeScaleWizards::Multiply)}));
        applyRows->setChain(wizards->chain());
    }

    // The queued command, taken as sent ("" when none).
    QString takeSent()
    {
        const QString cmd = m_command;
        cancelQueued();
        return cmd;
    }
    void refreshNow() { writeRefresh(); }

    void controlEnable(bool on) override { group->setEnabled(on); }

    QWidget* group;
    QDoubleSpinBox *rangeMin[N], *rangeMax[N], *corrMin[N], *corrMax[N], *scaledMin[N], *scaledMax[N],
        *multi[N], *offset[N];
    QLCDNumber* lcd[N];
    QAbstractButton* rangeButton[N];
    QAbstractButton* scaleButton[N];
    int type[N] = {0, 0};
    RangeScaleWizards* wizards;
    std::unique_ptr<ChannelSequence> refreshRows;
    std::unique_ptr<ChannelSequence> applyRows;

protected:
    void parsingSequence(QString line) override { refreshRows->refresh(line); }
    void parsingApply(QString line) override { applyRows->apply(line); }
    void parsingDefault(QString) override {}
    void clearAll() override
    {
        m_mode = DEFAULT;
        m_seq = 0;
        wizards->clear();
    }
};

// The echo of a write: blanks and line end removed.
QString echoOf(QString cmd)
{
    return cmd.remove(' ').remove("\r\n");
}

} // namespace

class TestRangeScaleWizards : public QObject
{
    Q_OBJECT

    WizardPanel* m_panel = nullptr;
    ModalCloser* m_closer = nullptr;

    // Answers every write with its echo (or with the replacement given for its index)
    // until none is queued; returns the writes.
    QStringList answer(QStringList const& replacements = {})
    {
        QStringList sent;
        for (QString cmd = m_panel->takeSent(); !cmd.isEmpty(); cmd = m_panel->takeSent()) {
            sent << cmd.trimmed();
            const int i = sent.size() - 1;
            m_panel->readData(i < replacements.size() && !replacements[i].isEmpty() ? replacements[i]
                                                                                     : echoOf(cmd));
        }
        return sent;
    }

    void completeRefresh()
    {
        m_panel->refreshNow();
        answer();
        QVERIFY(m_panel->wizards->ready());
    }

    CalibWizard* openRange(int ch)
    {
        m_closer->setAnswer(QMessageBox::Yes);
        m_panel->wizards->startRange(ch);
        return m_panel->wizards->chain()->wizard();
    }

private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 100000; // the test sends
        m_closer = new ModalCloser(10);
        m_panel = new WizardPanel(true);
        for (int i = 0; i < WizardPanel::N; ++i) {
            m_panel->rangeMin[i]->setValue(4.0);
            m_panel->rangeMax[i]->setValue(20.0);
        }
    }
    void cleanup()
    {
        delete m_panel;
        delete m_closer;
    }

    void rangeWizardWritesRawThenRestore()
    {
        completeRefresh();
        m_panel->scaledMin[1]->setValue(0);
        m_panel->scaledMax[1]->setValue(100);
        m_panel->multi[1]->setValue(2);
        m_panel->corrMin[1]->setValue(0.1);
        m_panel->corrMax[1]->setValue(-0.2);
        QPointer<CalibWizard> wizard = openRange(2);
        QVERIFY(wizard);
        QCOMPARE(answer(), QStringList({"ATCCH2LO 4.00", "ATCCH2HI 20.00", "ATCCH2M 1.00", "ATCCH2CLO 4.00",
                                        "ATCCH2CHI 20.00", "ATCOFF2 0.00"}));
        // The raw echoes leave the form alone; the wizard stays open and usable.
        QCOMPARE(m_panel->scaledMax[1]->value(), 100.0);
        QCOMPARE(m_panel->corrMin[1]->value(), 0.1);
        QVERIFY(wizard->isEnabled());
        emit wizard->writeDone(1);
        QCOMPARE(answer(), QStringList({"ATCCH2LO 0.00", "ATCCH2HI 100.00", "ATCCH2M 2.00", "ATCCH2CLO 3.90",
                                        "ATCCH2CHI 20.20"}));
        QTRY_VERIFY(!wizard);
        QCOMPARE(m_panel->mode(), unsigned(DEFAULT));
        QVERIFY(!m_panel->isLocked());
    }
};

QTEST_MAIN(TestRangeScaleWizards)
#include "test_rangescalewizards.moc"
