#ifndef INSTRUMENTSIM_H
#define INSTRUMENTSIM_H

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QObject>
#include <functional>

class QSocketNotifier;
class QTimer;

// One simulated instrument on the master side of a pty (see UsbBench).
//
// It reads what the program writes, cuts it into command lines ("\r\n" ends a command),
// records every read with its arrival time, and answers each command from its command
// table. Replies are written as lines ended by lineEnd() ("\r\n" unless changed).
//
// Command table: a command's token is its text up to the first blank ("ATCOFF1" of
// "ATCOFF1 1.50"). The handler of the token itself answers; failing that, the handler of
// the longest keyword that begins the token ("ATCOFF" for "ATCOFF1"); failing that the
// command goes unanswered. A model's command set is installed by setModel() from the
// registry of SimModelRegistration (one file per model in tests/support).
class InstrumentSimulator : public QObject
{
    Q_OBJECT
public:
    // A command as the instrument got it.
    struct Request
    {
        QByteArray line;     // without "\r\n": "ATCOFF1 1.50"
        QByteArray token;    // up to the first blank: "ATCOFF1"
        QByteArray keyword;  // the table entry that matched: "ATCOFF"
        QByteArray suffix;   // token after the keyword, often a channel digit: "1"
        QByteArray argument; // after the first blank: "1.50"; empty for a query
        bool isQuery() const { return !line.contains(' '); }
    };
    // Returns the reply lines, without line ends; an empty list answers nothing.
    using Handler = std::function<QByteArrayList(Request const& request)>;

    struct Received // one read from the pty
    {
        qint64 atMs;
        QByteArray bytes;
    };
    struct Command // one complete command line, timed when its line feed arrived
    {
        qint64 atMs;
        QByteArray line;
    };

    explicit InstrumentSimulator(QObject* parent = nullptr);
    ~InstrumentSimulator() override;

    // The pty master to talk on (owned by the testbed, never closed here).
    void attach(int masterFd);
    // Stops reading and writing (the instrument was unplugged); the log is kept.
    void detach();
    bool isAttached() const { return m_fd >= 0; }

    // Identification: the reply to "ATCVER" is "ATCVER " + text; an empty text leaves
    // "ATCVER" unanswered.
    void setIdentification(QByteArray const& text);
    QByteArray identification() const { return m_identification; }
    // An identification text that the program reads as modelCode and version
    // (version 37 is written "3v7"); 0 for an unknown code.
    static QByteArray identificationText(int modelCode, unsigned version);
    // Becomes an instrument of that model: identification, default answers to the
    // model's poll commands, then the model's registered command set (if any).
    void setModel(int modelCode, unsigned version);
    int modelCode() const { return m_modelCode; }
    unsigned version() const { return m_version; }

    // Command table.
    void onCommand(QByteArray const& keyword, Handler handler);
    void setReply(QByteArray const& keyword, QByteArrayList const& lines);
    void removeCommand(QByteArray const& keyword);
    bool hasCommand(QByteArray const& keyword) const { return m_handlers.contains(keyword); }
    // A stored setting: the query "KEY" answers "KEY value", "KEY v" stores v and echoes
    // "KEY v". A keyword with channels is registered once per channel ("ATCOFF1", "ATCOFF2").
    void addSetting(QByteArray const& keyword, QByteArray const& value);
    QByteArray setting(QByteArray const& keyword) const { return m_settings.value(keyword); }
    void setSetting(QByteArray const& keyword, QByteArray const& value) { m_settings[keyword] = value; }
    // The fields of the default poll answers: "<poll command> " + fields joined by ",".
    void setReadings(QByteArrayList const& fields) { m_readings = fields; }

    // How replies go out.
    void setSilent(bool silent) { m_silent = silent; }       // answers nothing at all
    void setReplyDelay(int ms) { m_replyDelayMs = ms; }     // answer ms after the command
    void setChunking(int bytesPerWrite, int gapMs);          // cut every reply into writes
    void setLineEnd(QByteArray const& end) { m_lineEnd = end; }
    QByteArray lineEnd() const { return m_lineEnd; }

    // Traffic of its own, outside any command.
    void send(QByteArray const& bytes);      // raw bytes, at once
    void sendLine(QByteArray const& line);   // line + lineEnd()
    // Successive writes with gapMs between them (a reply cut across reads).
    void sendPieces(QByteArrayList const& pieces, int gapMs);
    // Reproducible random bytes that contain no line feed.
    static QByteArray noise(int size, quint32 seed = 1);

    // What arrived.
    QList<Received> received() const { return m_received; }
    QByteArray receivedBytes() const;
    QList<Command> commands() const { return m_commands; }
    QByteArrayList commandLines() const;
    int count(QByteArray const& line) const;
    // Arrival times of every command equal to line.
    QList<qint64> timesOf(QByteArray const& line) const;
    void clearLog();
    // Processes events until line has arrived occurrences times in all.
    bool waitForCommand(QByteArray const& line, int timeoutMs = 5000, int occurrences = 1);

    // Milliseconds on a clock shared by all simulators.
    static qint64 now();

signals:
    void commandReceived(QByteArray line);

private slots:
    void readMaster();
    void writeMaster();
    void checkHangup();
    void pumpSchedule();

private:
    struct Pending
    {
        qint64 due;
        QByteArray bytes;
    };
    void handleCommand(QByteArray const& line);
    QByteArrayList answer(QByteArray const& line);
    void schedule(QByteArray const& bytes, qint64 due);
    void startWrite(QByteArray const& bytes);

    int m_fd = -1;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QTimer* m_hangupTimer = nullptr;
    QTimer* m_scheduleTimer = nullptr;
    QList<Pending> m_schedule; // writes waiting for their time, in order
    QByteArray m_inbox;   // bytes of a command not yet ended
    QByteArray m_outbox;  // bytes the pty did not take yet

    QByteArray m_identification;
    int m_modelCode = 0;
    unsigned m_version = 0;
    QHash<QByteArray, Handler> m_handlers;
    QHash<QByteArray, QByteArray> m_settings;
    QByteArrayList m_readings{"0.00", "0.00"};

    bool m_silent = false;
    int m_replyDelayMs = 0;
    int m_chunkBytes = 0;
    int m_chunkGapMs = 0;
    QByteArray m_lineEnd = "\r\n";

    QList<Received> m_received;
    QList<Command> m_commands;
};

// Registers the command set of one or more model codes; setModel() installs it after the
// identification and the default poll answers, so it may replace those. Put one per model
// in a file of its own, tests/support/sim_<model>.cpp (every test links every support
// file, so nothing else has to name it), for example:
//
//   static const SimModelRegistration zq62({62}, [](InstrumentSimulator& sim, unsigned version) {
//       sim.addSetting("ATCOFF1", "0.00");
//       sim.onCommand("ATCC", [](InstrumentSimulator::Request const&) {
//           return QByteArrayList{"OK"};
//       });
//   });
using SimModelInstaller = std::function<void(InstrumentSimulator& sim, unsigned version)>;
struct SimModelRegistration
{
    SimModelRegistration(QList<int> const& modelCodes, SimModelInstaller installer);
};

#endif
