#include "platform/services/Resources.h"

#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

// The resources live in a static library, where nothing would pull their
// object file into the executable; naming their initialiser here does.
static void InitLumvexResources() { Q_INIT_RESOURCE(lumvex); }

namespace lumvex {

std::string LoadResourceBytes(const std::string& name) {
    static std::once_flag registered;
    std::call_once(registered, InitLumvexResources);
    // Names are flat: a separator could only reach folders or other libraries' resources.
    QFile file(":/lumvex/" + QString::fromStdString(name));
    if (name.empty() || name.find('/') != std::string::npos || !file.open(QIODevice::ReadOnly))
        throw EResNotFound("Resource \"" + name + "\" not found");
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

TBitmap LoadResourceBitmap(const std::string& name) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(LoadResourceBytes(name));
    return bitmap;
}

void LoadResourcePicture(TPicture& picture, const std::string& name) {
    std::string bytes = LoadResourceBytes(name);
    std::unique_ptr<TGraphic> graphic = TPicture::CreateForFile(name);
    graphic->LoadFromBytes(std::move(bytes));
    picture.SetGraphic(std::move(graphic));
}

}  // namespace lumvex
