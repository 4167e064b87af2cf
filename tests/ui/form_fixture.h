#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "options_files.h"
#include "profile/profile.h"
#include "scripted_dialogs.h"
#include "test_host.h"
#include "ui/form1.h"

namespace orvex::test {

// The Windows form of a host folder, with a final backslash, as start-up gives it.
inline std::string windowsFolder(const QString& hostFolder) {
    QString path = QDir(hostFolder).absolutePath();
#ifndef Q_OS_WIN
    path.replace('/', '\\');
#endif
    if (!path.endsWith('\\')) {
        path += '\\';
    }
    return path.toStdString();
}

// A scratch output folder, filled with copies of the sample files or with files a
// test writes, and a shown Form1 on it.
class FormFixture {
  public:
    QTemporaryDir dir;
    TestHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1Controller> controller;
    std::unique_ptr<Form1> form;
    ShownMessages messages;  // what the window showed, in order

    QString file(const QString& name) const { return dir.filePath(name); }

    void copySamples() {
        const QDir samples(ORVEX_SAMPLE_OUTPUT);
        for (const QString& name : samples.entryList(QDir::Files)) {
            QFile::copy(samples.filePath(name), file(name));
            QFile(file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray read(const QString& name) const {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // The window on `folder` (default: the scratch folder) as the program starts it.
    void open(const QString& folder = {}) {
        form.reset();
        controller = std::make_unique<Form1Controller>(host, dialogs);
        messages.add(
            controller->start({(folder.isEmpty() ? dir.path() : folder).toStdString()}).messages);
        form = std::make_unique<Form1>(
            *controller, [this](QWidget*, const UserMessages& shown) { messages.add(shown); });
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename T = QWidget>
    T* control(const char* name, int index = -1) const {
        for (T* candidate : form->findChildren<T*>(name)) {
            if (index < 0 || candidate->property("index").toInt() == index) {
                return candidate;
            }
        }
        return nullptr;
    }
};

// A player options file whose colour options are named `prefix` 0..23 and coloured
// `value`.
inline QByteArray playerFile(const QByteArray& prefix, const QByteArray& value) {
    return QByteArray::fromStdString(
        OptionsFile({}, value.toStdString(), "\r\n", prefix.toStdString()));
}

}  // namespace orvex::test
