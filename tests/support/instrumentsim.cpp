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
    switch (modelCode) {
    case 62: case 63: case 65: case 67: case 74:
    case 80: case 81: case 82: case 83: case 84: case 89:
        return "ZQ" + QByteArray::number(modelCode);
    case 71: return "ZQ70A";
    case 72: return "ZQ70B";
    case 73: return "ZQ70C";
    case 701: return "HV700K3-KW";
    case 702: return "HV700K3-LX";
    case 703: return "HV700-VD";
    case 704: case 705: return "HV700K3-NB";
    default: return QByteArray();
    }
}

// The poll commands an instrument of the model answers.
QByteArrayList pollKeywords(int modelCode)
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
    , m_scheduleTimer(new QTimer(this))
{
    now();
    m_hangupTimer->setInterval(5);
    connect(m_hangupTimer, &QTimer::timeout, this, &InstrumentSimulator::checkHangup);
    m_scheduleTimer->setSingleShot(true);
    connect(m_scheduleTimer, &QTimer::timeout, this, &InstrumentSimulator::pumpSchedule);
    onCommand("ATCVER", [this](Request const&) {
        if (m_identification.isEmpty())
            return QByteArrayList();
        return QByteArrayList{"ATCVER " + m_identification};
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
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &InstrumentSimulator::writeMaster);
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
    m_scheduleTimer->stop();
    m_schedule.clear();
    m_inbox.clear();
    m_outbox.clear();
    m_fd = -1;
}

void InstrumentSimulator::setIdentification(QByteArray const& text)
{
    m_identification = text;
}

QByteArray InstrumentSimulator::identificationText(int modelCode, unsigned version)
{
    const QByteArray name = modelName(modelCode);
    if (name.isEmpty())
        return QByteArray();
    const QByteArray firmware = QByteArray::number(version / 10 % 10) + "v" + QByteArray::number(version % 10);
    if (modelCode == 705)
        return name + " " + firmware + "(P)";
    return name + " " + firmware;
}

void InstrumentSimulator::setModel(int modelCode, unsigned version)
{
    m_modelCode = modelCode;
    m_version = version;
    setIdentification(identificationText(modelCode, version));
    for (QByteArray const& keyword : pollKeywords(modelCode)) {
        onCommand(keyword, [this](Request const& request) {
            return QByteArrayList{request.token + " " + m_readings.join(',')};
        });
    }
    for (SimModelInstaller const& install : modelRegistry().value(modelCode))
        install(*this, version);
}

void InstrumentSimulator::onCommand(QByteArray const& keyword, Handler handler)
{
    m_handlers.insert(keyword, std::move(handler));
}

void InstrumentSimulator::setReply(QByteArray const& keyword, QByteArrayList const& lines)
{
    onCommand(keyword, [lines](Request const&) { return lines; });
}

void InstrumentSimulator::removeCommand(QByteArray const& keyword)
{
    m_handlers.remove(keyword);
}

void InstrumentSimulator::addSetting(QByteArray const& keyword, QByteArray const& value)
{
    m_settings.insert(keyword, value);
    onCommand(keyword, [this](Request const& request) {
        if (!request.isQuery())
            m_settings[request.token] = request.argument;
        return QByteArrayList{request.token + " " + m_settings.value(request.token)};
    });
}

void InstrumentSimulator::setChunking(int bytesPerWrite, int gapMs)
{
    m_chunkBytes = bytesPerWrite;
    m_chunkGapMs = gapMs;
}

void InstrumentSimulator::send(QByteArray const& bytes)
{
    schedule(bytes, now());
}

void InstrumentSimulator::sendLine(QByteArray const& line)
{
    send(line + m_lineEnd);
}

void InstrumentSimulator::sendPieces(QByteArrayList const& pieces, int gapMs)
{
    qint64 due = now();
    for (QByteArray const& piece : pieces) {
        schedule(piece, due);
        due += gapMs;
    }
}

QByteArray InstrumentSimulator::noise(int size, quint32 seed)
{
    QByteArray bytes;
    bytes.reserve(size);
    quint32 state = seed ? seed : 1;
    while (bytes.size() < size) {
        state = state * 1664525u + 1013904223u;
        const char c = char(state >> 24);
        if (c != '\n')
            bytes.append(c);
    }
    return bytes;
}

QByteArray InstrumentSimulator::receivedBytes() const
{
    QByteArray all;
    for (Received const& r : m_received)
        all += r.bytes;
    return all;
}

QByteArrayList InstrumentSimulator::commandLines() const
{
    QByteArrayList lines;
    for (Command const& c : m_commands)
        lines << c.line;
    return lines;
}

int InstrumentSimulator::count(QByteArray const& line) const
{
    return timesOf(line).size();
}

QList<qint64> InstrumentSimulator::timesOf(QByteArray const& line) const
{
    QList<qint64> times;
    for (Command const& c : m_commands)
        if (c.line == line)
            times << c.atMs;
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
    while (m_fd >= 0) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            const QByteArray bytes(buffer, int(n));
            m_received.append({now(), bytes});
            m_inbox += bytes;
            for (int nl = m_inbox.indexOf('\n'); nl >= 0; nl = m_inbox.indexOf('\n')) {
                QByteArray line = m_inbox.left(nl);
                m_inbox.remove(0, nl + 1);
                if (line.endsWith('\r'))
                    line.chop(1);
                handleCommand(line);
            }
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // The program closed the port: the pty hangs up until it is opened again.
        m_readNotifier->setEnabled(false);
        m_hangupTimer->start();
        return;
    }
}

void InstrumentSimulator::checkHangup()
{
    if (m_fd < 0)
        return;
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP)) {
        m_readNotifier->setEnabled(false);
        m_hangupTimer->start();
        return;
    }
    m_hangupTimer->stop();
    m_readNotifier->setEnabled(true);
    if (p.revents & POLLIN)
        readMaster();
}

void InstrumentSimulator::handleCommand(QByteArray const& line)
{
    m_commands.append({now(), line});
    emit commandReceived(line);
    if (m_silent || m_fd < 0)
        return;
    const QByteArrayList lines = answer(line);
    if (lines.isEmpty())
        return;
    QByteArray bytes;
    for (QByteArray const& l : lines)
        bytes += l + m_lineEnd;
    const qint64 due = now() + m_replyDelayMs;
    if (m_chunkBytes <= 0) {
        schedule(bytes, due);
        return;
    }
    for (int i = 0; i < bytes.size(); i += m_chunkBytes)
        schedule(bytes.mid(i, m_chunkBytes), due + qint64(i / m_chunkBytes) * m_chunkGapMs);
}

QByteArrayList InstrumentSimulator::answer(QByteArray const& line)
{
    Request request;
    request.line = line;
    const int blank = line.indexOf(' ');
    request.token = blank < 0 ? line : line.left(blank);
    request.argument = blank < 0 ? QByteArray() : line.mid(blank + 1);

    auto it = m_handlers.constFind(request.token);
    if (it == m_handlers.constEnd()) {
        for (auto h = m_handlers.constBegin(); h != m_handlers.constEnd(); ++h) {
            if (request.token.startsWith(h.key())
                && (it == m_handlers.constEnd() || h.key().size() > it.key().size()))
                it = h;
        }
    }
    if (it == m_handlers.constEnd())
        return {};
    request.keyword = it.key();
    request.suffix = request.token.mid(it.key().size());
    const Handler handler = it.value(); // the handler may change the table
    return handler(request);
}

void InstrumentSimulator::schedule(QByteArray const& bytes, qint64 due)
{
    // Later writes never overtake earlier ones.
    if (!m_schedule.isEmpty() && m_schedule.last().due > due)
        due = m_schedule.last().due;
    m_schedule.append({due, bytes});
    pumpSchedule();
}

void InstrumentSimulator::pumpSchedule()
{
    while (!m_schedule.isEmpty() && m_schedule.first().due <= now())
        startWrite(m_schedule.takeFirst().bytes);
    if (!m_schedule.isEmpty())
        m_scheduleTimer->start(int(qMax<qint64>(0, m_schedule.first().due - now())));
}

void InstrumentSimulator::startWrite(QByteArray const& bytes)
{
    if (m_fd < 0)
        return;
    m_outbox += bytes;
    writeMaster();
}

void InstrumentSimulator::writeMaster()
{
    while (m_fd >= 0 && !m_outbox.isEmpty()) {
        const ssize_t n = ::write(m_fd, m_outbox.constData(), size_t(m_outbox.size()));
        if (n > 0) {
            m_outbox.remove(0, int(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        m_outbox.clear(); // nobody at the other end
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}
