#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

// The resource library tvxres.dll beside the program, which holds the map and splash pictures.
class TResourceLibrary {
public:
    // Loads the library; nothing when it cannot be loaded or is not the resource library.
    static std::unique_ptr<TResourceLibrary> Load(const QString& fileName);
    ~TResourceLibrary();
    TResourceLibrary(const TResourceLibrary&) = delete;
    TResourceLibrary& operator=(const TResourceLibrary&) = delete;

    // The picture with its double-resolution form for high-density screens; a null pixmap for
    // an unknown id.
    QPixmap Picture(int id, double devicePixelRatio) const;

private:
    TResourceLibrary(void* module, void* pictureFunction)
        : Module(module), PictureFunction(pictureFunction) {}

    void* Module;
    void* PictureFunction;
};
