#pragma once

#include <QDir>
#include <QString>
#include <gtest/gtest.h>

// Genuine Access files kept beside the repository (../shared/fixtures), read in
// place. A clone elsewhere has none: its tests skip; CI must have them.
inline QString fixturePath(const QString& relative) {
    return QStringLiteral(LITERON_FIXTURES_DIR "/") + relative;
}

inline bool fixturesPresent() {
    return QDir(QStringLiteral(LITERON_FIXTURES_DIR)).exists();
}

// Use at the start of a test body or SetUp().
#define LITERON_REQUIRE_FIXTURES()                                                                           \
    do {                                                                                                     \
        if (!fixturesPresent()) {                                                                            \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                                         \
                FAIL() << "fixture folder " LITERON_FIXTURES_DIR " is missing";                              \
            GTEST_SKIP() << "fixture folder " LITERON_FIXTURES_DIR                                           \
                            " is missing (a clone outside the workspace)";                                   \
        }                                                                                                    \
    } while (0)
