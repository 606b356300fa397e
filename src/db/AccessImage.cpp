#include "db/AccessImage.h"

#include "db/ProviderErrors.h"

std::shared_ptr<const QByteArray> AccessImage::load(const QString& path, const QString& password) {
    Q_UNUSED(password);
    // The Access reader is not part of this build yet.
    throw AppError(AppError::ProviderError,
                   QStringLiteral("Pliki w formacie Access nie są jeszcze obsługiwane: '%1'.").arg(path));
}
