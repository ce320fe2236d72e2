#include "config/ConfigSession.h"

#include "config/ConfigFields.h"
#include "config/VoiceFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct ConfigSessionText {
    Q_DECLARE_TR_FUNCTIONS(ConfigSessionText)
};
} // namespace

namespace {

CurrentConfig namedAfter(const QString& path, const CurrentConfig& previous) {
    const QFileInfo info(path);
    CurrentConfig next = previous;
    next.g_configPath = info.absoluteFilePath();
    next.g_configTitle = info.completeBaseName();
    return next;
}

} // namespace

ConfigSession::ConfigSession(QString templateFolder) : templateFolder_(std::move(templateFolder)) {}

QString ConfigSession::configFolder() const {
    return hasFile() ? QFileInfo(current_.g_configPath).absolutePath() : QString();
}

SessionOutcome ConfigSession::finish(const ConfigFileResult& result) {
    if (!result)
        return {false, result.error};
    current_.g_voiceHighFlags = store_.text(configField(FieldId::VoiceOnHigh).reg());
    current_.g_voiceLowFlags = store_.text(configField(FieldId::VoiceOnLow).reg());
    if (onFileChanged_)
        onFileChanged_();
    return {};
}

SessionOutcome ConfigSession::load(const QString& path) {
    return read(path, MissingFile::Create);
}

SessionOutcome ConfigSession::open(const QString& path) {
    return read(path, MissingFile::Refuse);
}

SessionOutcome ConfigSession::read(const QString& path, MissingFile missing) {
    const CurrentConfig next = namedAfter(path, current_);
    RegisterStore loaded = store_;
    const ConfigFileResult result = loadConfigFile(next.g_configPath, loaded, missing);
    if (!result)
        return {false, result.error, result.missing};
    store_ = loaded;
    current_ = next;
    unitRegistersUnsaved_ = false;
    return finish(result);
}

SessionOutcome ConfigSession::create(const QString& path) {
    const CurrentConfig next = namedAfter(path, current_);
    const ConfigFileResult result = saveConfigFile(next.g_configPath, RegisterStore());
    if (!result)
        return {false, result.error};
    SeedVoiceFiles(QFileInfo(next.g_configPath).absolutePath(), next.g_configTitle,
                   templateFolder_);
    store_.clear();
    current_ = next;
    unitRegistersUnsaved_ = false;
    return finish(result);
}

SessionOutcome ConfigSession::save() {
    if (!hasFile())
        return {false, ConfigSessionText::tr("There is no configuration file to save into.")};
    const ConfigFileResult result = saveConfigFile(current_.g_configPath, store_);
    if (result)
        unitRegistersUnsaved_ = false;
    return finish(result);
}

SessionOutcome ConfigSession::saveAs(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const ConfigFileResult result = saveConfigFile(absolute, store_);
    if (!result)
        return {false, result.error};
    current_.g_configPath = absolute;
    unitRegistersUnsaved_ = false;
    return finish(result);
}

void ConfigSession::adoptUnitRegisters(const RegisterStore& registers) {
    store_ = registers;
    unitRegistersUnsaved_ = true;
}
