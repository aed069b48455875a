#include "instrumentsim.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <QtTest/qtestsystem.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

QHash<int, QList<SimModelInstaller>>& modelRegistry()
{
    static QHash<int, QList<SimModelInstaller>> registry;
    return registry;
}

// The model name as the instrument writes it in its identification.
QByteArray modelName(int modelCode)
{
    static const QHash<int, QByteArray> names{{71, "ZQ70A"}, {72, "ZQ70B"}, {73, "ZQ70C"},
                                              {701, "HV700K3-KW"}, {702, "HV700K3-LX"}, {703, "HV700-VD"},
                                              {704, "HV700K3-NB"}, {705, "HV700K3-NB"}};
    return names.value(modelCode, "ZQ" + QByteArray::number(modelCode));
}

// The poll commands an instrument of the model answers.
QByteArrayList pollCommands(int modelCode)
{
    switch (modelCode) {
    case 701: case 702: return {"ATCQ"};
    case 703: case 83: case 84: return {"ATCH"};
    case 704: case 705: return {"ATCH1", "ATCH2"};
    default: return {"ATCD"};
    }
}

} // namespace

SimModelRegistration::SimModelRegistration(QList<int> const& modelCodes, SimModelInstaller installer)
{
    for (int code : modelCodes)
        modelRegistry()[code].append(installer);
}

qint64 InstrumentSimulator::now()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

InstrumentSimulator::InstrumentSimulator(QObject* parent)
    : QObject(parent)
    , m_hangupTimer(new QTimer(this))
{
    now();
    m_hangupTimer->setInterval(5);
    connect(m_hangupTimer, &QTimer::timeout, this, &InstrumentSimulator::checkHangup);
    onCommand("ATCVER", [this](Request const&) {
        return m_identification.isEmpty() ? QByteArrayList() : QByteArrayList{"ATCVER " + m_identification};
    });
}

InstrumentSimulator::~InstrumentSimulator()
{
    detach();
}

void InstrumentSimulator::attach(int masterFd)
{
    detach();
    if (masterFd < 0)
        return;
    m_fd = masterFd;
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &InstrumentSimulator::readMaster);
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] { write({}); });
    // Until the program opens the port the pty reports a hang-up; wait for the open.
    checkHangup();
}

void InstrumentSimulator::detach()
{
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_hangupTimer->stop();
    m_inbox.clear();
    m_outbox.clear();
    m_fd = -1;
}

void InstrumentSimulator::setModel(int modelCode, unsigned version)
{
    m_identification = modelName(modelCode) + " " + QByteArray::number(version / 10 % 10) + "v"
                       + QByteArray::number(version % 10) + (modelCode == 705 ? "(P)" : "");
    for (QByteArray const& command : pollCommands(modelCode))
        onCommand(command, [this](Request const& r) { return QByteArrayList{r.token + " " + m_readings.join(',')}; });
    for (SimModelInstaller const& install : modelRegistry().value(modelCode))
        install(*this, version);
}

void InstrumentSimulator::setReply(QByteArray const& token, QByteArrayList const& lines)
{
    onCommand(token, [lines](Request const&) { return lines; });
}

void InstrumentSimulator::addSetting(QByteArray const& token, QByteArray const& value)
{
    m_settings.insert(token, value);
    onCommand(token, [this](Request const& r) {
        if (!r.isQuery())
            m_settings[r.token] = r.argument;
        return QByteArrayList{r.token + " " + m_settings.value(r.token)};
    });
}

void InstrumentSimulator::addUnitCommands()
{
    setSetting("ATCUNIT", "C");
    for (QByteArray const unit : {QByteArray("C"), QByteArray("F")}) {
        onCommand("ATC" + unit, [this, unit](Request const& request) {
            setSetting("ATCUNIT", unit);
            return QByteArrayList{request.token + " OK"};
        });
    }
}

void InstrumentSimulator::sendPieces(QByteArrayList const& pieces, int gapMs)
{
    for (int i = 0; i < pieces.size(); ++i) {
        if (i == 0)
            write(pieces.at(i));
        else
            QTimer::singleShot(i * gapMs, this, [this, piece = pieces.at(i)] { write(piece); });
    }
}

QByteArrayList InstrumentSimulator::commandLines() const
{
    QByteArrayList lines;
    for (auto const& c : m_commands)
        lines << c.second;
    return lines;
}

QList<qint64> InstrumentSimulator::timesOf(QByteArray const& line) const
{
    QList<qint64> times;
    for (auto const& c : m_commands)
        if (c.second == line)
            times << c.first;
    return times;
}

void InstrumentSimulator::clearLog()
{
    m_received.clear();
    m_commands.clear();
}

bool InstrumentSimulator::waitForCommand(QByteArray const& line, int timeoutMs, int occurrences)
{
    return QTest::qWaitFor([&] { return count(line) >= occurrences; }, timeoutMs);
}

void InstrumentSimulator::readMaster()
{
    char buffer[4096];
    ssize_t n = 0;
    while (m_fd >= 0 && (n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        m_received.append(buffer, int(n));
        m_inbox.append(buffer, int(n));
        for (int nl = m_inbox.indexOf('\n'); nl >= 0 && m_fd >= 0; nl = m_inbox.indexOf('\n')) {
            const QByteArray line = m_inbox.left(nl).replace("\r", "");
            m_inbox.remove(0, nl + 1);
            m_commands.append({now(), line});
            const int blank = line.indexOf(' ');
            const Request request{line, blank < 0 ? line : line.left(blank), blank < 0 ? QByteArray() : line.mid(blank + 1)};
            const Handler handler = m_handlers.value(request.token); // a handler may change the table
            QByteArrayList replies = handler ? handler(request) : QByteArrayList();
            if (m_replyFilter)
                replies = m_replyFilter(request, replies);
            for (QByteArray const& reply : replies)
                write(reply + "\r\n");
        }
    }
    // Unless merely read to the end, the program closed the port: the pty hangs up until
    // it is opened again.
    if (m_fd >= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR)))
        checkHangup();
}

void InstrumentSimulator::checkHangup()
{
    pollfd p{m_fd, POLLIN, 0};
    const bool hungUp = m_fd >= 0 && ::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP);
    if (m_readNotifier)
        m_readNotifier->setEnabled(!hungUp);
    if (hungUp)
        m_hangupTimer->start();
    else
        m_hangupTimer->stop();
    if (!hungUp && (p.revents & POLLIN))
        readMaster();
}

void InstrumentSimulator::write(QByteArray const& bytes)
{
    if (m_fd >= 0)
        m_outbox += bytes;
    while (m_fd >= 0 && !m_outbox.isEmpty()) {
        const ssize_t n = ::write(m_fd, m_outbox.constData(), size_t(m_outbox.size()));
        if (n > 0) {
            m_outbox.remove(0, int(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            m_writeNotifier->setEnabled(true); // the rest when the pty takes more
            return;
        } else {
            m_outbox.clear(); // nobody at the other end
        }
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}
