#include "gazetteer/SharedGazetteer.h"

#include "platform/ExecutableName.h"

#include <QStandardPaths>
#include <cstdlib>
#include <iostream>

namespace horvane {
namespace {

constexpr const char* kPathVariable = "HORVANE_PLACES";
constexpr const char* kFileBelowData = "horvane/places.bin";

std::filesystem::path BesideProgram() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return program.parent_path().parent_path() / "share" / kFileBelowData;
}

std::unique_ptr<Gazetteer> LoadReporting() {
    GazetteerLoad load = Gazetteer::Load(PlacesFilePath());
    if (!load.gazetteer)
        std::cerr << ExecutableName() << ": places cannot be found by name: " << load.problem
                  << "\n";
    return std::move(load.gazetteer);
}

} // namespace

std::filesystem::path PlacesFilePath() {
    if (const char* chosen = std::getenv(kPathVariable))
        return chosen;
    std::error_code error;
    if (std::filesystem::path beside = BesideProgram(); std::filesystem::exists(beside, error))
        return beside;
    const QString data =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, kFileBelowData);
    return data.isEmpty() ? BesideProgram() : std::filesystem::path(data.toStdString());
}

const Gazetteer* SharedGazetteer() {
    static const std::unique_ptr<Gazetteer> gazetteer = LoadReporting();
    return gazetteer.get();
}

} // namespace horvane
