#pragma once

#include "app/commands.h"

// The maps: switching them and showing all stations.
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

// Reloading and saving the database file.
class TDatabaseCommands : public TCommandHandler {
public:
    using TCommandHandler::TCommandHandler;
    void Run(TCommandId id) override;

private:
    void Reload();
    void Save();
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
