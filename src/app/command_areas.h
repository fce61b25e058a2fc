#pragma once

#include "app/commands.h"

// The maps: switching them, showing all stations and the legend of their climate zones.
class TMapCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;
};

// Choosing stations from the whole list or by a search, to open their diagrams.
class TSelectionCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;

private:
    void Choose();
    void Search();
};

// Creating, changing and deleting stations.
class TEditingCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;

private:
    int CreateRound();
    int ChangeRound();
    // The edit dialog for a station (a record index), or for a new one of that name (-1).
    int Edit(int recordIndex, const QString& newName);
    void Delete();
    // Whether all stations are on show, which rules out editing; says so with this text.
    bool RefusedWhileAllShown(const QString& text);
};

// The database file: reloading, saving, exporting, importing and merging another file.
class TDatabaseCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;

private:
    void Reload();
    void Save();
    void Export();
    void Import();
    void MergeFile();
};

// The diagram windows: to them, to the last selection, closing them all, and their settings.
class TWindowCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;

private:
    void Configure();
};

// The help topics and the information dialog.
class THelpCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;
};
