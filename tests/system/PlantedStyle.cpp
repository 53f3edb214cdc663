// A style plugin that an ordinary user could plant in a folder of their own.
// Loading its library leaves a marker file beside it ("<library>.loaded"), so
// a test can tell whether a program loaded it. Its style is Fusion.

#include <dlfcn.h>

#include <QStyleFactory>
#include <QStylePlugin>
#include <fstream>
#include <string>

namespace {

__attribute__((constructor)) void markLoaded() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&markLoaded), &info) == 0 || info.dli_fname == nullptr) return;
  std::ofstream(std::string(info.dli_fname) + ".loaded") << "loaded\n";
}

}  // namespace

class PlantedStyle final : public QStylePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "PlantedStyle.json")

 public:
  QStyle* create(const QString&) override { return QStyleFactory::create("Fusion"); }
};

#include "PlantedStyle.moc"
