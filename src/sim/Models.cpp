#include "sim/Models.h"

#include <algorithm>

namespace sim {

namespace {
struct Entry {
    Model model;
    const char* name;
};
constexpr Entry kModels[] = {
    {Model::Mouse, "mouse"},       {Model::MouseReceiver, "mouse-receiver"},
    {Model::Keyboard, "keyboard"}, {Model::KeyboardReceiver, "keyboard-receiver"},
    {Model::Mousepad, "mousepad"}, {Model::Headset, "headset"},
};
}  // namespace

QString ModelName(Model model) {
    for (const Entry& e : kModels)
        if (e.model == model)
            return QString::fromLatin1(e.name);
    return {};
}

std::optional<Model> ModelFromName(const QString& name) {
    const QString n = name.trimmed().toLower();
    for (const Entry& e : kModels)
        if (n == QLatin1String(e.name))
            return e.model;
    return std::nullopt;
}

QStringList AllModelNames() {
    QStringList names;
    for (const Entry& e : kModels)
        names << QString::fromLatin1(e.name);
    return names;
}

bool ParseModelList(const QString& text, std::vector<Model>* models, QString* error) {
    std::vector<Model> result;
    auto add = [&](Model m) {
        if (std::find(result.begin(), result.end(), m) == result.end())
            result.push_back(m);
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare("auto", Qt::CaseInsensitive) == 0) {
        for (Model m : {Model::Mouse, Model::Keyboard, Model::Mousepad, Model::Headset})
            add(m);
    } else {
        for (const QString& part : trimmed.split(',')) {
            if (part.trimmed().compare("all", Qt::CaseInsensitive) == 0) {
                for (const Entry& e : kModels)
                    add(e.model);
                continue;
            }
            const std::optional<Model> m = ModelFromName(part);
            if (!m) {
                if (error)
                    *error = QStringLiteral("unknown model '%1' (known: %2, all, auto)")
                                 .arg(part.trimmed(), AllModelNames().join(", "));
                return false;
            }
            add(*m);
        }
    }
    if (models)
        *models = std::move(result);
    return true;
}

}  // namespace sim
