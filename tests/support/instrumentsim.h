#ifndef INSTRUMENTSIM_H
#define INSTRUMENTSIM_H

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <functional>

class QSocketNotifier;
class QTimer;

// One simulated instrument on the master side of a pty (see UsbBench).
//
// It cuts what the program writes into command lines ("\r\n" ends a command), records
// every command with its arrival time, and answers it from its command table: the handler
// registered for the command's token (its text up to the first blank: "ATCOFF1" of
// "ATCOFF1 1.50"); a command without a handler goes unanswered. Replies end in "\r\n".
// A model's command set is installed by setModel() from the registry of
// SimModelRegistration (one file per model in tests/support).
class InstrumentSimulator : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray line;     // without "\r\n": "ATCOFF1 1.50"
        QByteArray token;    // up to the first blank: "ATCOFF1"
        QByteArray argument; // after the first blank: "1.50"; empty for a query
        bool isQuery() const { return !line.contains(' '); }
    };
    // Returns the reply lines, without line ends; an empty list answers nothing.
    using Handler = std::function<QByteArrayList(Request const& request)>;

    explicit InstrumentSimulator(QObject* parent = nullptr);
    ~InstrumentSimulator() override;

    // Talks on a pty master (owned by the testbed); detach() stops (unplugged), keeping the log.
    void attach(int masterFd);
    void detach();

    // The reply to "ATCVER" is "ATCVER " + text; an empty text leaves it unanswered.
    void setIdentification(QByteArray const& text) { m_identification = text; }
    QByteArray identification() const { return m_identification; }
    // Becomes an instrument of that model (version 37 is written "3v7"): identification,
    // default answers to the model's poll commands, then the model's registered command set.
    void setModel(int modelCode, unsigned version);

    // Command table.
    void onCommand(QByteArray const& token, Handler handler) { m_handlers.insert(token, std::move(handler)); }
    void setReply(QByteArray const& token, QByteArrayList const& lines);
    void removeCommand(QByteArray const& token) { m_handlers.remove(token); }
    // Sees every answer before it goes out and may replace it (garbled lines, for one).
    using ReplyFilter = std::function<QByteArrayList(Request const& request, QByteArrayList replies)>;
    void setReplyFilter(ReplyFilter filter) { m_replyFilter = std::move(filter); }
    // A stored setting: the query "KEY" answers "KEY value", "KEY v" stores v and echoes "KEY v".
    void addSetting(QByteArray const& token, QByteArray const& value);
    QByteArray setting(QByteArray const& token) const { return m_settings.value(token); }
    void setSetting(QByteArray const& token, QByteArray const& value) { m_settings[token] = value; }
    // The temperature unit: "ATCC" / "ATCF" answer "ATCC OK" / "ATCF OK" and keep the unit
    // in the setting "ATCUNIT" ("C" or "F").
    void addUnitCommands();
    // The fields of the default poll answers: "<poll command> " + fields joined by ",".
    void setReadings(QByteArrayList const& fields) { m_readings = fields; }

    // Traffic of its own: raw bytes, a line, or writes gapMs apart (a reply cut across reads).
    void send(QByteArray const& bytes) { sendPieces({bytes}, 0); }
    void sendLine(QByteArray const& line) { send(line + "\r\n"); }
    void sendPieces(QByteArrayList const& pieces, int gapMs);

    QByteArray receivedBytes() const { return m_received; }
    QByteArrayList commandLines() const;
    int count(QByteArray const& line) const { return int(timesOf(line).size()); }
    QList<qint64> timesOf(QByteArray const& line) const; // arrival times of every such command
    void clearLog();
    // Processes events until line has arrived occurrences times in all.
    bool waitForCommand(QByteArray const& line, int timeoutMs = 5000, int occurrences = 1);

    // Milliseconds on a clock shared by all simulators.
    static qint64 now();

private:
    void readMaster();
    void checkHangup();
    void write(QByteArray const& bytes); // queues bytes and writes what the pty takes

    int m_fd = -1;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QTimer* m_hangupTimer;
    QByteArray m_inbox;  // bytes of a command not yet ended
    QByteArray m_outbox; // bytes the pty did not take yet

    QByteArray m_identification;
    QHash<QByteArray, Handler> m_handlers;
    ReplyFilter m_replyFilter;
    QHash<QByteArray, QByteArray> m_settings;
    QByteArrayList m_readings{"0.00", "0.00"};

    QByteArray m_received;
    QList<QPair<qint64, QByteArray>> m_commands; // arrival time, line
};

// Registers the command set of one or more model codes; setModel() installs it after the
// identification and the default poll answers, so it may replace those. Put one per model
// in a file of its own, tests/support/sim_<model>.cpp (every test links every support file,
// so nothing else has to name it).
using SimModelInstaller = std::function<void(InstrumentSimulator& sim, unsigned version)>;
struct SimModelRegistration
{
    SimModelRegistration(QList<int> const& modelCodes, SimModelInstaller installer);
};

#endif
