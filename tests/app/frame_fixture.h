#pragma once

// The main frame with its client on a database in memory, answered by a script.

#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"
#include "render/resource_library.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>

class FrameTest : public testing::Test {
protected:
    FrameTest() {
        Settings.AlwaysMaximize = false;
        Client = new TMyClient(Database, Settings, *Resources, Ui);
        Frame = std::make_unique<TMyFrame>(QStringLiteral("Pelvanor"), Client, Settings, Database,
                                           nullptr, Ui, QString());
        Frame->show();
    }
    ~FrameTest() override {
        Frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A station at whole degrees, west and north positive; its record index.
    int AddStation(const std::string& name, int longitude, int latitude) {
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace(name));
        station.SetCoords(
            {std::abs(latitude), 0, std::abs(longitude), 0, latitude >= 0, longitude >= 0});
        Database.Add(station, false);
        return Database.Find(TDiagramData::TPlace(name), -1, true);
    }
    TDiagramData* Station(const std::string& name) {
        return &Database.RecordAt(Database.Find(TDiagramData::TPlace(name), -1, true));
    }
    TDiagramWindows& Windows() const { return Client->Windows(); }
    void Run(int id) {
        Frame->UpdateCommands();
        Frame->Action(id)->trigger();
    }

    // A step that enters a search text.
    std::function<int(QDialog&)> Enter(const QString& text) {
        return [text](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("4090"))->setText(text);
            return static_cast<int>(QDialog::Accepted);
        };
    }
    // A step that takes note of a station list and accepts the lines given (none: the first).
    std::function<int(QDialog&)> ChooseLines(std::vector<int> lines,
                                             std::vector<std::string>* listed = nullptr) {
        return [lines, listed, this](QDialog& dialog) {
            auto& list = dynamic_cast<TDbUISearch::TDbUIListDialog&>(dialog);
            for (int line = 0; listed && line < list.Count(); ++line)
                listed->push_back(Database.RecordAt(list.RecordIndex(line)).Place().Name());
            auto* stations = dialog.findChild<QListWidget*>(QStringLiteral("4202"));
            if (!lines.empty())
                stations->clearSelection();
            for (const int line : lines)
                stations->item(line)->setSelected(true);
            return static_cast<int>(QDialog::Accepted);
        };
    }

    // A step that chooses a line of the filters' pick list.
    static std::function<int(QDialog&)> PickFilter(int row) {
        return [row](QDialog& dialog) {
            dialog.findChild<QListWidget*>(QStringLiteral("101"))->setCurrentRow(row);
            return static_cast<int>(QDialog::Accepted);
        };
    }

    TTempDir Dir;
    TDatabaseMgr Database{Dir.File("pelvanor.dat"), false, false};
    TTvxConfig Settings;
    TScriptedUserInterface Ui;
    std::unique_ptr<TResourceLibrary> Resources =
        TResourceLibrary::Load(PELVANOR_PROGRAM_DIR "/tvxres.dll");
    TMyClient* Client;
    std::unique_ptr<TMyFrame> Frame;
};
