#include "printing/ReportTemplate.h"

#include "common/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace printing {

namespace {

constexpr int maxDepth = 12;

QString findFile(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name + QStringLiteral(".json"));
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

QJsonValue readJson(const QString& name, const QStringList& folders, QString* error) {
    const QString path = findFile(name, folders);
    if (path.isEmpty()) {
        *error = QStringLiteral("Modello di stampa \"%1\" non trovato").arg(name);
        return QJsonValue();
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Impossibile leggere il modello di stampa %1").arg(path);
        return QJsonValue();
    }
    const QByteArray data = f.readAll();
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &pe);
    if (pe.error != QJsonParseError::NoError) {
        const int line = int(data.left(pe.offset).count('\n')) + 1;
        *error = QStringLiteral("Modello di stampa %1, riga %2: %3")
                     .arg(QFileInfo(path).fileName())
                     .arg(line)
                     .arg(pe.errorString());
        return QJsonValue();
    }
    if (doc.isArray())
        return doc.array();
    return doc.object();
}

QJsonObject merge(QJsonObject base, const QJsonObject& over) {
    for (auto it = over.begin(); it != over.end(); ++it) {
        if (it.value().isObject() && base.value(it.key()).isObject())
            base[it.key()] = merge(base.value(it.key()).toObject(), it.value().toObject());
        else
            base[it.key()] = it.value();
    }
    return base;
}

QJsonValue resolveIncludes(const QJsonValue& v, const QStringList& folders, QString* error,
                           int depth);

QJsonValue includeFile(const QString& name, const QStringList& folders, QString* error, int depth) {
    if (depth > maxDepth) {
        *error = QStringLiteral("Modello di stampa \"%1\": inclusioni annidate troppo a fondo")
                     .arg(name);
        return QJsonValue();
    }
    const QJsonValue v = readJson(name, folders, error);
    if (!error->isEmpty())
        return QJsonValue();
    return resolveIncludes(v, folders, error, depth + 1);
}

bool isInclude(const QJsonValue& v) {
    return v.isObject() && v.toObject().size() == 1 &&
           v.toObject().contains(QStringLiteral("include"));
}

QJsonValue resolveIncludes(const QJsonValue& v, const QStringList& folders, QString* error,
                           int depth) {
    if (!error->isEmpty())
        return v;
    if (isInclude(v))
        return includeFile(v.toObject().value(QStringLiteral("include")).toString(), folders, error,
                           depth);
    if (v.isArray()) {
        QJsonArray out;
        for (const QJsonValue& item : v.toArray()) {
            if (isInclude(item)) {
                const QJsonValue inc = resolveIncludes(item, folders, error, depth);
                if (inc.isArray())
                    for (const QJsonValue& x : inc.toArray())
                        out.append(x);
                else
                    out.append(inc);
            } else {
                out.append(resolveIncludes(item, folders, error, depth));
            }
        }
        return out;
    }
    if (v.isObject()) {
        QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            it.value() = resolveIncludes(it.value(), folders, error, depth);
        return o;
    }
    return v;
}

// Merges the override into the block with that id; a null override drops it.
QJsonValue applyOverride(const QJsonValue& v, const QString& id, const QJsonValue& over,
                         bool* found) {
    if (v.isArray()) {
        QJsonArray out;
        for (const QJsonValue& item : v.toArray()) {
            if (item.isObject() && item.toObject().value(QStringLiteral("id")).toString() == id) {
                *found = true;
                if (over.isNull())
                    continue;
                out.append(merge(item.toObject(), over.toObject()));
            } else {
                out.append(applyOverride(item, id, over, found));
            }
        }
        return out;
    }
    if (v.isObject()) {
        QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.value().isObject() &&
                it.value().toObject().value(QStringLiteral("id")).toString() == id) {
                *found = true;
                it.value() = over.isNull()
                                 ? QJsonValue()
                                 : QJsonValue(merge(it.value().toObject(), over.toObject()));
            } else {
                it.value() = applyOverride(it.value(), id, over, found);
            }
        }
        return o;
    }
    return v;
}

QJsonObject loadObject(const QString& name, const QStringList& folders, QString* error, int depth) {
    if (depth > maxDepth) {
        *error =
            QStringLiteral("Modello di stampa \"%1\": troppi livelli di \"extends\"").arg(name);
        return {};
    }
    const QJsonValue raw = readJson(name, folders, error);
    if (!error->isEmpty())
        return {};
    if (!raw.isObject()) {
        *error = QStringLiteral("Modello di stampa \"%1\": atteso un oggetto JSON").arg(name);
        return {};
    }
    QJsonObject o = resolveIncludes(raw, folders, error, depth).toObject();
    if (!error->isEmpty())
        return {};
    const QString base = o.take(QStringLiteral("extends")).toString();
    const QJsonObject overrides = o.take(QStringLiteral("override")).toObject();
    if (!base.isEmpty()) {
        const QJsonObject parent = loadObject(base, folders, error, depth + 1);
        if (!error->isEmpty())
            return {};
        o = merge(parent, o);
    }
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        bool found = false;
        o = applyOverride(o, it.key(), it.value(), &found).toObject();
        if (!found) {
            *error =
                QStringLiteral("Modello di stampa \"%1\": blocco \"%2\" da modificare non trovato")
                    .arg(name, it.key());
            return {};
        }
    }
    return o;
}

} // namespace

QStringList ReportTemplates::defaultFolders() {
    QStringList folders;
    const QString own = QDir(common::Installation::folder()).filePath(QStringLiteral("reports"));
    if (QFileInfo(own).isDir())
        folders << own;
    folders << common::Installation::dataFolder(QStringLiteral("reports"));
    return folders;
}

QString ReportTemplates::nameOf(const QString& reportPath) {
    QString s = reportPath.trimmed();
    s.replace(u'\\', u'/');
    s = s.section(u'/', -1);
    if (s.endsWith(QStringLiteral(".rpt"), Qt::CaseInsensitive))
        s.chop(4);
    return s;
}

bool ReportTemplates::exists(const QString& name, const QStringList& folders) {
    return !name.isEmpty() && !findFile(name, folders).isEmpty();
}

QJsonObject ReportTemplates::forRequest(const QString& report, const QString& reportLandscape,
                                        const QStringList& folders, QString* error) {
    const QString portrait = nameOf(report);
    const QString landscape = nameOf(reportLandscape);
    QString name;
    if (exists(portrait, folders))
        name = portrait;
    else if (exists(landscape, folders))
        name = landscape;
    if (name.isEmpty()) {
        if (portrait.isEmpty())
            *error = QStringLiteral("La richiesta di stampa non indica alcun report");
        else
            *error = QStringLiteral("Modello di stampa \"%1\" non trovato").arg(portrait);
        return {};
    }
    return load(name, folders, error);
}

QJsonObject ReportTemplates::load(const QString& name, const QStringList& folders, QString* error) {
    error->clear();
    return loadObject(name, folders, error, 0);
}

} // namespace printing
