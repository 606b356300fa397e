#include "db/AppError.h"

AppError::AppError(qint32 number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()) {}
