// The program started on a folder whose files are damaged, missing or cannot
// be written: every start completes with its messages, the program works
// with what it could read, and what it could not read is still as it was
// after the exit; a save that fails keeps the previous pair whole, says so,
// and leaves the exit question to offer the save again. (The world maps are
// read only when the chart draws them: their damage is covered with the map
// reader, in the chart's tests.)

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <optional>
#include <random>

#include "core/DateTime.h"
#include "store/PortsFile.h"
#include "store/ProgramFolder.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/Program.h"
#include "ui/TfrmPorti.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

// Lines with their ends made alike: the settings file is rewritten with CR LF.
QByteArrayList Lines(const std::string& text) {
    QByteArray all = QByteArray::fromStdString(text);
    all.replace("\r\n", "\n").replace('\r', '\n');
    return all.split('\n');
}

// While it lives the folder takes no new file: its mode loses the write
// bits and, for a test run as root (whom the mode does not stop), the
// effective user is "nobody" meanwhile. Refuses() tells whether it worked.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(folder.toStdString()) {
        ::chmod(folder_.c_str(), 0555);
        if (::geteuid() == 0) dropped_ = ::seteuid(65534) == 0;
        refuses_ = !FolderWritable(folder_);
    }
    ~ReadOnlyFolder() {
        if (dropped_) (void)::seteuid(0);
        ::chmod(folder_.c_str(), 0700);
    }
    bool Refuses() const { return refuses_; }

  private:
    std::string folder_;
    bool dropped_ = false;
    bool refuses_ = false;
};

// While it lives no file grows past `bytes`, as on a full disk: write()
// fails with EFBIG (SIGXFSZ ignored). The save runs in this process, inside
// the window, so the limit is set here, for that one command only.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

enum Damage { CutScheme, NoPoints, GarbageSettings, Utf16Ports, MixedPorts, ReadOnly };

}  // namespace

class DamagedFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ui::Program> program_;

    QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
    ui::TfrmVelmar& Start() {
        program_ = StartProgram(dir_->path());
        return program_->velmar();
    }
    Scheme& scheme() { return program_->session().scheme(); }
    QString Panel() {
        return program_->velmar().findChild<QLabel*>(QStringLiteral("pnlDesF"))->text();
    }
    // A speed typed on the keypad: the scheme is then not saved.
    void EnterSpeed(ModalDriver& modal, const char* knots) {
        modal.Type(QString::fromLatin1(knots) + QLatin1Char('\r'));
        QTest::mouseClick(program_->velmar().ValueLabel(cells::Vp), Qt::LeftButton);
    }

  private slots:
    void initTestCase() { ui::SetDesignScale(1.0); }
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        for (const char* name : {"PORTI.TXT", "MONDOGW.MAP", "MONDOAG.MAP"})
            QVERIFY(
                QFile::copy(QStringLiteral(VELMAR_DATA_DIR "/") + QLatin1String(name), Path(name)));
        WriteSample(dir_->path().toStdString());
    }
    void cleanup() {
        program_.reset();
        dir_.reset();
    }

    void damagedAtStart_data() {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("kept");          // its bytes are the same after the exit
        QTest::addColumn<QStringList>("messages");  // every box from start to end, each answered OK
        QTest::addColumn<bool>("schemeRead");
        QTest::addColumn<QStringList>("portNames");  // besides the bundled ones
        const QString archive = QStringLiteral("Velmar3: Archivio");
        QTest::newRow("VELMAR.DAT cut short")
            << int(CutScheme) << "VELMAR.DAT" << QStringList{archive} << false << QStringList{};
        QTest::newRow("PUNTI.DAT missing")
            << int(NoPoints) << "VELMAR.DAT" << QStringList{archive} << false << QStringList{};
        QTest::newRow("VELMAR3.INI binary garbage")
            << int(GarbageSettings) << "VELMAR3.INI" << QStringList{} << true << QStringList{};
        QTest::newRow("PORTI.TXT in UTF-16 with binary lines")
            << int(Utf16Ports) << "PORTI.TXT" << QStringList{} << true << QStringList{};
        QTest::newRow("PORTI.TXT in UTF-8 with a Latin-1 line and binary lines")
            << int(MixedPorts) << "PORTI.TXT" << QStringList{} << true
            << QStringList{QStringLiteral("\u015eile"), QStringLiteral("S\u00e8te")};
        QTest::newRow("folder that cannot be written")
            << int(ReadOnly) << "VELMAR.DAT" << QStringList{QStringLiteral("Velmar3: Impostazioni")}
            << true << QStringList{};
    }
    void damagedAtStart() {
        QFETCH(int, damage);
        QFETCH(QString, kept);
        QFETCH(QStringList, messages);
        QFETCH(bool, schemeRead);
        QFETCH(QStringList, portNames);
        const std::string bundledPorts = Bytes(Path("PORTI.TXT"));
        if (damage == CutScheme) Put(Path("VELMAR.DAT"), Bytes(Path("VELMAR.DAT")).substr(0, 100));
        if (damage == NoPoints) QVERIFY(QFile::remove(Path("PUNTI.DAT")));
        if (damage == GarbageSettings) {
            std::mt19937 random(20261206);
            std::string garbage(4096, '\0');
            for (char& c : garbage) c = static_cast<char>(random());
            Put(Path("VELMAR3.INI"), garbage);
        }
        if (damage == Utf16Ports) {
            std::string text = "\xFF\xFE";
            for (const char c : bundledPorts + "\x01\x02,1,2\r\n") text += {c, '\0'};
            Put(Path("PORTI.TXT"), text + std::string("\x00\xD8,\x00\r\x00\n\x00", 8));
        }
        if (damage == MixedPorts)
            Put(Path("PORTI.TXT"), bundledPorts + "\xC5\x9Eile,41.17,29.61\nS\xE8te,43.4,3.7\n" +
                                       std::string("\xFF\xFE\x00\x01junk\n\x01\x02,1,2\n", 16));
        const std::string before = Bytes(Path(kept.toLatin1().constData()));
        std::optional<ReadOnlyFolder> readOnly;
        if (damage == ReadOnly) {
            readOnly.emplace(dir_->path());
            if (!readOnly->Refuses())
                QSKIP("this folder takes new files even without write permission");
        }

        ModalDriver modal;
        for (qsizetype i = 0; i < messages.size(); ++i) modal.Press("bbOK");
        ui::TfrmVelmar& w = Start();
        QCOMPARE(Panel(), schemeRead ? QStringLiteral("File d'avvio")
                                     : QStringLiteral("Errore nella lettura del file."));
        QCOMPARE(!scheme().IsEmpty(cells::DepLat), schemeRead);
        QVERIFY(scheme().saved);
        auto* ports = program_->porti().findChild<QComboBox*>(QStringLiteral("hcPar"));
        QCOMPARE(std::size_t(ports->count()),
                 LoadPorts(VELMAR_DATA_DIR).ports.size() + std::size_t(portNames.size()));
        for (const QString& name : portNames)
            QVERIFY2(ports->findText(name) >= 0, qPrintable(name));
        QVERIFY(w.Action(SchemeCommand::Icons)->isChecked());  // garbage reads as the defaults

        w.Run(SchemeCommand::Exit);  // nothing changed: no question
        QVERIFY(w.Ended());
        QCOMPARE(modal.Titles(), messages);
        QCOMPARE(modal.Unexpected(), 0);
        const std::string after = Bytes(Path(kept.toLatin1().constData()));
        if (damage == GarbageSettings) {
            // The marks are written; what the file held besides them stays.
            QByteArrayList old = Lines(before);
            if (old.last().isEmpty()) old.removeLast();
            QCOMPARE(Lines(after).mid(0, old.size()), old);
            QVERIFY(after.find("[Velmar]\r\nIcone=1\r\nStatus=1\r\n") != std::string::npos);
        } else {
            QVERIFY(after == before);
        }
        QCOMPARE(QFile::exists(Path("PUNTI.DAT")), damage != NoPoints);
        QCOMPARE(QFile::exists(Path("VELMAR3.INI")), damage != ReadOnly);
    }

    // A save that fails (a full disk half way through the pair, a folder
    // made read-only after a first save) says why, keeps the pair of the
    // save before it whole and the scheme unsaved: the exit question still
    // offers to save, and with room again the save goes through.
    void failedSave_data() {
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("header");
        // 500 bytes: the scheme file's 328 fit, the points file's 1168 do not.
        QTest::newRow("disk full") << true << "Errore nella chiusura del file.";
        QTest::newRow("folder made read-only") << false << "Errore nel'apertura del file.";
    }
    void failedSave() {
        QFETCH(bool, diskFull);
        QFETCH(QString, header);
        ui::TfrmVelmar& w = Start();
        ModalDriver modal;
        EnterSpeed(modal, "10");
        modal.Press("bbYes");  // "Sovrascrivi il file d'avvio..."
        w.Run(SchemeCommand::Write);
        QVERIFY(scheme().saved);
        const std::string pair = Bytes(Path("VELMAR.DAT")) + Bytes(Path("PUNTI.DAT"));

        EnterSpeed(modal, "11");
        QStringList shown;
        modal.Press("bbYes").Press("bbOK", &shown);
        {
            std::optional<ReadOnlyFolder> readOnly;
            if (diskFull) {
                const FileSizeLimit full(500);
                w.Run(SchemeCommand::Write);
            } else {
                readOnly.emplace(dir_->path());
                if (!readOnly->Refuses())
                    QSKIP("this folder takes new files even without write permission");
                w.Run(SchemeCommand::Write);
            }
            QVERIFY2(shown.contains(header), qPrintable(shown.join(u'|')));
            QCOMPARE(Panel(), QStringLiteral("Errore nella scrittura del file."));
            QVERIFY(!scheme().saved);
            QVERIFY(Bytes(Path("VELMAR.DAT")) + Bytes(Path("PUNTI.DAT")) == pair);
            QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral("*.tmp")}), QStringList{});
            modal.Press("bbCancel");
            w.Run(SchemeCommand::Exit);
            QCOMPARE(modal.Titles().last(), QStringLiteral("Velmar: Uscita"));
            QVERIFY(!w.Ended());
        }
        modal.Press("bbYes");
        w.Run(SchemeCommand::Write);
        QVERIFY(scheme().saved);
        QVERIFY(Bytes(Path("VELMAR.DAT")) + Bytes(Path("PUNTI.DAT")) != pair);
        w.Run(SchemeCommand::Exit);
        QVERIFY(w.Ended());
        QCOMPARE(modal.Unexpected(), 0);
    }
};

QTEST_MAIN(DamagedFilesTest)

#include "damaged_files_test.moc"
