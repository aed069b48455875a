// The range and scale wizards on a small two-channel panel without a main window: the
// test takes each queued write as sent and answers it with the echo it chooses.
#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLCDNumber>
#include <QPushButton>
#include <QtTest>

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
    WizardPanel()
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
        }
        attachForm(frame, leds);
        wizards = new RangeScaleWizards(this, "ZQTEST", N, {OFF, LO, HI, CLO, CHI, MUL},
                                        {rangeMin, rangeMax, corrMin, corrMax, scaledMin, scaledMax, multi,
                                         lcd, rangeButton, scaleButton});
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

} // namespace

class TestRangeScaleWizards : public QObject
{
    Q_OBJECT

    WizardPanel* m_panel = nullptr;
    ModalCloser* m_closer = nullptr;

    // Answers every write with its echo (blanks and line end removed) until none is
    // queued; returns the writes.
    QStringList answer()
    {
        QStringList sent;
        for (QString cmd = m_panel->takeSent(); !cmd.isEmpty(); cmd = m_panel->takeSent()) {
            sent << cmd.trimmed();
            m_panel->readData(cmd.remove(' ').remove("\r\n"));
        }
        return sent;
    }

private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 100000; // the test sends
        m_closer = new ModalCloser(10);
        m_panel = new WizardPanel;
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

    // A wizard opened while another is open: the old one goes later, and its late
    // destroyed() leaves the new one in place; the new one's chain writes its own channel.
    void aNewWizardOutlivesTheOldOne()
    {
        m_panel->refreshNow();
        answer();
        QVERIFY(m_panel->wizards->ready());
        m_closer->setAnswer(QMessageBox::Yes);
        m_panel->wizards->startRange(1);
        QPointer<CalibWizard> range = m_panel->wizards->chain()->wizard();
        QCOMPARE(answer().size(), 6);
        m_panel->scaledMin[1]->setValue(7);
        m_panel->wizards->startScale(2);
        QPointer<CalibWizard> scale = m_panel->wizards->chain()->wizard();
        QVERIFY(scale && scale != range);
        QTRY_VERIFY(!range);
        QCOMPARE(m_panel->wizards->chain()->wizard(), scale.data());
        QCOMPARE(m_panel->wizards->chain()->channel(), 2);
        emit scale->writeDone(1);
        QCOMPARE(answer(), QStringList({"ATCCH2LO 7.00", "ATCCH2HI 0.00", "ATCCH2M 0.00"}));
        QTRY_VERIFY(!scale);
    }
};

QTEST_MAIN(TestRangeScaleWizards)
#include "test_rangescalewizards.moc"
