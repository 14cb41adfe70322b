#pragma once

#include "ui/common/Prompts.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <vector>

namespace quorvan::test {

// Records what a window asked and answers from queues filled by the test.
class FakePrompts : public Prompts {
public:
    struct Message {
        QString caption;
        QString text;
        Icon icon;
    };

    void message(const QString& caption, const QString& text, Icon icon) override {
        messages.push_back({caption, text, icon});
    }
    int question(const QString& caption, const QString& text, const QStringList& buttons, int cancelIndex) override {
        questions.push_back({caption, text, buttons});
        if (answers.empty())
            return cancelIndex;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Prints into printTo as PDF; an empty printTo cancels.
    bool choosePrinter(QPrinter& printer, const QString& title) override {
        printerTitles << title;
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
    QString chooseFolder(const QString& title) override {
        folderTitles << title;
        if (folders.empty())
            return {};
        QString f = folders.front();
        folders.pop_front();
        return f;
    }
    QStringList chooseFiles(const QString& title, const QString& filter) override {
        fileTitles << title;
        fileFilters << filter;
        if (files.empty())
            return {};
        QStringList f = files.front();
        files.pop_front();
        return f;
    }
    QString chooseOpenFile(const QString& title, const QString& filter) override {
        openFileTitles << title;
        openFileFilters << filter;
        if (openFiles.empty())
            return {};
        QString f = openFiles.front();
        openFiles.pop_front();
        return f;
    }

    QString chooseSaveFile(const QString& title, const QString& filter, const QString& suggested) override {
        saveFileTitles << title;
        saveFileFilters << filter;
        suggestedPaths << suggested;
        if (saveFiles.empty())
            return {};
        QString f = saveFiles.front();
        saveFiles.pop_front();
        return f;
    }

    bool openDocument(const QString& path) override {
        openedDocuments << path;
        return true;
    }

    struct Question {
        QString caption;
        QString text;
        QStringList buttons;
    };

    std::vector<Message> messages;
    std::vector<Question> questions;
    std::deque<int> answers; // answers of question, as button indexes; none left → the cancel button
    QStringList folderTitles, fileTitles, fileFilters, printerTitles;
    QString printTo;
    QStringList saveFileTitles, saveFileFilters, suggestedPaths;
    std::deque<QString> saveFiles; // answers of chooseSaveFile; empty → cancelled
    QStringList openFileTitles, openFileFilters;
    std::deque<QString> openFiles; // answers of chooseOpenFile; empty → cancelled
    std::deque<QString> folders;   // answers of chooseFolder; empty → cancelled
    std::deque<QStringList> files; // answers of chooseFiles
    QStringList openedDocuments;
};

} // namespace quorvan::test
