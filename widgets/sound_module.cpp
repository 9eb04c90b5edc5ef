#include "widgets/sound_module.h"

#include "widgets/wave_sink.h"

#include <QCoreApplication>
#include <QLibrary>

namespace quorl {

QFunctionPointer soundModuleEntry(const char* name) {
    // Looked up in the program's private library folder (bin/../lib/tessaly-vi-quorl,
    // as built and as installed), then on the library path.
    static QLibrary* module = [] {
        auto* lib = new QLibrary;
        for (const QString& file : {QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../" QUORL_PRIVATE_LIB_SUBDIR "/lib") +
                                        QLatin1String(kWaveSinkModule),
                                    QString::fromLatin1(kWaveSinkModule)}) {
            lib->setFileName(file);
            if (lib->load())
                return lib;
        }
        return lib;
    }();
    return module->isLoaded() ? module->resolve(name) : nullptr;
}

} // namespace quorl
