#pragma once
// kestrix-cli run from outside, in a folder of its own; the Cli tests' folder
// also holds a.lab (a label whose stream is about 8 kB) and the stream tspl
// writes for it.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "document/LabelFile.h"
#include "document/RegularFile.h"

namespace kestrix {

struct CliRun {
    int exitCode = -1;  // also when it did not end in time
    std::string err;
    QByteArray out;
};

class CliFolder : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QByteArray Read(const QString& name) const { return ReadRegularFile(Path(name), 1 << 24).bytes; }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // A label with one text that counts on by one with every label printed.
    void WriteCountingLabel(const QString& name, std::u16string_view first) const {
        LabelElement text = CreateElement(kText, {10, 10}, first);
        std::tie(text.nWidth, text.nHeight, text.nSerialMode) = std::tuple{96, 28, 1};
        ASSERT_TRUE(WriteLabelFile(Path(name), {40, 30, {}, {}, {text}}, nullptr));
    }
    // The text of the label's first element: its number, for a counting label.
    std::u16string Number(const QString& label) const {
        LabelDocument doc;
        EXPECT_TRUE(ReadLabelFile(Path(label), doc, nullptr));
        return doc.elements.empty() ? std::u16string() : ElementText(doc.elements[0]);
    }
    // Runs kestrix-cli in the test folder; a run over `limitMs` is killed. With
    // `maxFileBytes`, files it writes may not grow beyond that, as on a full
    // disk. `told` sees standard error so far each time more comes.
    CliRun Run(const QStringList& args, int limitMs = 10000, rlim_t maxFileBytes = RLIM_INFINITY,
               const std::function<void(const std::string&)>& told = {}) const {
        QProcess process;
        process.setChildProcessModifier([maxFileBytes] {
            const rlimit limit{maxFileBytes, maxFileBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        process.setWorkingDirectory(dir_.path());
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral(KESTRIX_CLI), args);
        CliRun run;
        QElapsedTimer clock;
        clock.start();
        while (process.state() != QProcess::NotRunning && clock.elapsed() < limitMs) {
            if (!process.waitForReadyRead(50)) continue;
            run.err += process.readAllStandardError().toStdString();
            if (told) told(run.err);
        }
        if (process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
        process.kill();
        process.waitForFinished();
        run.err += process.readAllStandardError().toStdString();
        run.out = process.readAllStandardOutput();
        return run;
    }

    QTemporaryDir dir_;
};

class Cli : public CliFolder {
protected:
    void SetUp() override {
        LabelElement box = CreateElement(kShape, {10, 10});  // a stream of about 8 kB
        std::tie(box.nWidth, box.nHeight) = std::tuple{300, 200};
        ASSERT_TRUE(WriteLabelFile(Path("a.lab"), {40, 30, {}, {}, {box}}, nullptr));
        ASSERT_EQ(Run({"tspl", "a.lab", "-o", "a.tspl"}).exitCode, 0);
        stream_ = Read("a.tspl");
    }

    QByteArray stream_;  // what tspl writes for a.lab
};

}  // namespace kestrix
