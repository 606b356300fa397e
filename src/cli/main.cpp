#include <QCoreApplication>
#include <QTextStream>

static const char* const Usage =
    "Użycie: literon-cli POLECENIE [OPCJE]\n"
    "\n"
    "Polecenia:\n"
    "  create PLIK [--password HASŁO]        tworzy pusty słownik\n"
    "  import PLIK ŹRÓDŁO...                 dodaje wyrazy z list lub baz Access\n"
    "  check PLIK [--password HASŁO]         sprawdza bazę (kod statusu)\n"
    "  crossword PLIK LITERY [--anagram]     wyszukiwanie - krzyżówka\n"
    "  pattern PLIK WZORZEC [--descriptions] wyszukiwanie - wzorzec\n"
    "  scrabble PLIK WZORZEC STOJAK          wyszukiwanie - scrabble\n"
    "  query PLIK SQL                        kwerenda\n";

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << QString::fromUtf8(Usage);
    return argc > 1 ? 2 : 0;
}
