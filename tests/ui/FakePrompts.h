#pragma once

#include "ui/common/Prompts.h"

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

    std::vector<Message> messages;
    QStringList folderTitles, fileTitles, fileFilters;
    std::deque<QString> folders;   // answers of chooseFolder; empty → cancelled
    std::deque<QStringList> files; // answers of chooseFiles
};

} // namespace quorvan::test
