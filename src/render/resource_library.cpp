#include "render/resource_library.h"

#include "tvxres/tvxres.h"

#include <dlfcn.h>
#include <memory>

std::unique_ptr<TResourceLibrary> TResourceLibrary::Load(const QString& fileName) {
    void* module = ::dlopen(fileName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    void* function = ::dlsym(module, TvxResPictureFunction);
    if (!function) {
        ::dlclose(module);
        return nullptr;
    }
    return std::unique_ptr<TResourceLibrary>(new TResourceLibrary(module, function));
}

TResourceLibrary::~TResourceLibrary() {
    ::dlclose(Module);
}

QPixmap TResourceLibrary::Picture(int id, double devicePixelRatio) const {
    const auto picture = reinterpret_cast<TTvxResPicture>(PictureFunction);
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    int scale = 0;
    if (devicePixelRatio > 1.0 && picture(id, 2, &data, &size))
        scale = 2;
    else if (picture(id, 1, &data, &size))
        scale = 1;
    QPixmap pixmap;
    if (scale == 0 || !pixmap.loadFromData(data, static_cast<uint>(size), "PNG"))
        return {};
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}
