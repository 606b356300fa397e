#include "help/HelpTopics.h"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>

namespace {

// Each topic whole, in topic order, written out line by line: a raw line break
// here stands for CR LF in the text the window shows.
const std::pair<const char*, const char16_t*> Expected[] = {
    {"DatabaseFrame",
     uR"(Sekcja 'Baza danych' prezentuje podstawowe informacje na temat aktualnie otwartej bazy danych. Jeżeli baza jest zabezpieczona hasłem, należy wpisać hasło w pole 'Hasło bazy danych', aby uzyskać do niej dostęp. Pole 'Baza danych w trybie tylko do odczytu' wskazuje, czy modyfikacja danych w bazie jest możliwa.

Kolejną informacją jest 'Status połączenia z bazą danych'. Zielony 'ptaszek' wskazuje, że połączenie z bazą danych zostało ustanowione poprawnie. Status połączenia może zostać w dowolnej chwili sprawdzony poprzez wciśnięcie przycisku 'Testuj bazę danych'. Jeżeli połączenie nie może zostać ustanowione, lub baza zawiera niepoprawną strukturę tabel, pole 'Status połączenia z bazą danych' zostanie zastąpione czerwonym 'krzyżykiem'. W przypadku wystąpienia takiej sytuacji opcje wyszukiwania oraz modyfikacji bazy danych zostaną wyłączone.

Szczegółowa charakterystyka tabel, znajdujących się w bazie danych, została opisana w sekcji pomocy wyszukiwania kwerendą.)"},
    {"Crossword",
     uR"(Sekcja 'Wyszukiwanie - Krzyżówka' pozwala na wyszukanie wyrazów, których poszczególne litery odpowiadają literom wpisanym w wybrane pola wyszukiwania. Długość wyrazów regulowana jest ustawieniem paska, znajdującego się poniżej pól wyszukiwania. Domyślną wartością jest 8 znaków ale wartość ta jest konfigurowalna w menu Opcje.

Przykład:
Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę K i kończące się literami AŁ należy wpisać w 1 pole literę K, w 7 pole literę A oraz w 8 pole literę Ł.
Wyszukane wyrazy to m.in. KARDYNAŁ, KARNAWAŁ i KRYSZTAŁ.

Dodatkową opcją wyszukiwania jest możliwość wyszukania anagramów wyrazów, składających się z podanych liter. W tym celu należy wypełnić wszystkie aktywne pola wyszukiwania oraz zaznaczyć opcję 'Wyszukaj anagramy'.

Przykład: 
Aby wyszukać anagramy wyrazu KROTNA należy ustawić 6 aktywnych pól wyszukiwania i wpisać odpowiednie litery w dowolnej kolejności w pola wyszukiwania.
Wyszukane wyrazy to m.in. KANTOR, KARTON i KONTRA.)"},
    {"Pattern",
     uR"(Sekcja 'Wyszukiwanie - Wzorzec' pozwala na wyszukanie wyrazów, spełniających kryteria wyszukiwania podane we wzorcu. Dopuszczalnymi znakami są litery od a(A) do (ż)Ż oraz tzw. symbole wieloznaczne. Do symboli wieloznacznych zaliczają się znak zapytania (?) oraz gwiazdka (*). Znak zapytania zastępuje jedną dowolną literę natomiast gwiazdka zastępuje dowolny ciąg liter. 

Przykład:
Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę K i kończące się literami AŁ (przykład identyczny z wyszukiwania krzyżówką) należy wpisać w pole wzorca ciąg znaków: K?????AŁ.
Wyszukane wyrazy to m.in. KARDYNAŁ, KARNAWAŁ i KRYSZTAŁ.

Przykład:
Aby wyszukać wyrazy zaczynające się na literę B, posiadające literę Y na czwartym miejscu i kończące się literą K należy wpisać w pole wzorca ciąg znaków: B??Y*K.
Wyszukane wyrazy to m.in. BADYLEK, BAZYLISZEK i BUDYNEK.

Dodatkową opcją wyszukiwania jest możliwość szukania wzorca również w opisach wyrazów. W tym celu należy zaznaczyć opcję 'Szukaj także w opisach'. W przypadku bazy danych, zawierającej dużą ilość opisów, wyszukiwanie może znacznie się wydłużyć.)"},
    {"Scrabble",
     uR"(Sekcja 'Wyszukiwanie - Scrabble' pozwala na dopasowanie liter, znajdujących się na stojaku gracza, do układu liter znajdującego się na planszy. Układ liter na planszy reprezentowany jest przez wzorzec (ramka powyżej). Wzorzec musi zawierać minimum 1 literę oraz minimum 1 symbol wieloznaczny (więcej informacji na temat symboli wieloznacznych znajduje się w sekcji pomocy wyszukiwania wzorcem).

Wyszukane wyrazy zostaną posortowane biorąc pod uwagę liczbę liter wykorzystanych ze stojaka gracza (liczba ta zostanie również pokazana).

Przykład: 
Układ liter na planszy, do którego chcemy dopasować litery ze stojaka to litera R, trzy puste pola i litera E. Pole wzorca należy wypełnić jako: *R???E*. Litery na stojaku gracza to C, E, I, I, P, Ś oraz blank (zastępujący dowolną literę).
Wyszukane wyrazy to m.in. PIERŚCIEŃ (użyto wszytkie 7 liter), CIERPKIE (6 liter) i RUPIECIE (6 liter).

Przykład: 
Układ liter na planszy, do którego chcemy dopasować litery ze stojaka to litera U. Pole wzorca należy wypełnić jako: *U*. Litery na stojaku gracza to C, E, K, R, S, Z, Z.
Wyszukane wyrazy to m.in. SZCZUREK (użyto wszytkie 7 liter), KRUSZEC (6 liter) i SKURCZE (6 liter).)"},
    {"Query",
     uR"(Sekcja 'Wyszukiwanie - Kwerenda' pozwala na uzyskanie bardziej zaawansowanych informacji z bazy danych, które nie mogłyby zostać uzyskane posługując się pozostałymi trybami wyszukiwania. Wyszukiwanie polega na wykonaniu przez aplikację kwerendy (zapytania) SQL do bazy danych (plik w formacie MS Access).

Na bazę danych składają się 2 tabele. Tabela [WYRAZY] zawiera 2 pola: [WyrazID] (numeryczny identyfikator wyrazu przydzielany automatycznie) oraz [Wyraz] (pole tekstowe - maksymalnie 50 znaków). Tabela [OPISY] zawiera również 2 pola: [WyrazID] (numeryczny identyfikator wyrazu z tabeli [WYRAZY]) oraz [Opis] (pole tekstowe - maksymalnie 255 znaków).

Przykład:
Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę S, kończące się literą K i zawierające literę 'Ą', należy użyć jednej z poniższych kwerend:
- SELECT UCASE(Wyraz) AS Wyraz FROM WYRAZY WHERE Wyraz LIKE 'S______K' AND Wyraz LIKE '%Ą%'
- SELECT UCASE(Wyraz) AS Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 8 AND LEFT(Wyraz, 1) = 'S' AND Right(Wyraz, 1) = 'K' AND INSTR(Wyraz, 'Ą') <> 0

Przykład:
Aby wyszukać 100 wyrazów zaczynających się na literę K i posiadających literę T na czwartym miejscu, oraz ich opisy, należy użyć poniższej kwerendy:
- SELECT TOP 100 UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID WHERE Wyraz LIKE 'K__T%')"},
    {"Results",
     uR"(Sekcja 'Wyniki wyszukiwania' prezentuje wyrazy, które zostaną znalezione w dowolnym trybie wyszukiwania. Rekordy są domyślnie sortowane alfabetycznie ale tą kolejność można odwrócić naciskając nagłówek tabeli. Jeżeli baza danych nie została otwarta w trybie tylko do odczytu, możliwe jest dokonywanie operacji zapisu do bazy danych, jak również usuwania rekordów z bazy. Po wciśnięciu prawego przycisku myszki pojawi się rozwijane menu. Lista dostępnych opcji uzależniona jest od ilości zaznaczonych wyrazów. 

Opcja 'Zarządzaj opisami' pozwala na przeglądanie istniejących opisów wybranego wyrazu, dodawanie nowych opisów oraz usuwanie istniejących.

Opcja 'Modyfikuj wyraz' pozwala na modyfikację wybranego wyrazu w bazie danych.

Opcja 'Dodaj nowy wyraz' umożliwia dodanie nowego wyrazu do bazy danych, pod warunkiem, że identyczny wyraz nie istnieje już w bazie.

Opcja 'Usuń wyraz' pozwala na usunięcie zaznaczonego wyrazu z bazy danych. W przypadku zaznaczenia więcej niż jednego wyrazu (korzystając z przycisku Ctrl) ta opcja będzie wyświetlona jako 'Usuń wyrazy'.)"},
    {"OptionsDatabase",
     uR"(Zaznaczenie opcji 'Otwórz ostatnio używaną bazę danych na starcie programu' powoduje, że ostatnio używana baza danych zostanie automatycznie otwarta na starcie programu.
Wartość domyślna: Wyłączona

Zaznaczenie opcji 'Otwórz bazę danych w trybie tylko do odczytu' powoduje, że baza danych zostanie domyślnie otwarta w trybie tylko do odczytu. Modyfikacja wyrazów i opisów będzie niemożliwa.
Wartość domyślna: Wyłączona

Opcja 'Limit czasu na połączenie z bazą danych' pozwala na ustawienie limitu czasu (w sekundach) na uzyskanie poprawnego połączenia z bazą danych.
Wartość domyślna: 60

Opcja 'Maksymalna liczba rekordów zwracanych przez kwerendę' pozwala na ustawienie maksymalnej liczby rekordów, które mogą zostać wyświetlone w wynikach wyszukiwania.
Wartość domyślna: 5000

Opcja 'Odświeżanie wyników wyszukiwania' pozwala na ustawienie co ile rekordów tabela wyników wyszukiwania zostanie odświeżona. Ustawienie zbyt małej wartości może skutkować migotaniem tabeli natomiast zbyt wysoka wartość może powodować wrażenie zawieszenia programu.
Wartość domyślna: 100

Zaznaczenie opcji 'Dopuszczaj przekroczenie maksymalnej liczby rekordów podczas wyszukiwania kwerendą' powoduje, że liczba rekordów wyszukana podczas wyszukiwania kwerendą może przekroczyć wartość określoną w polu 'Maksymalna liczba rekordów zwracanych przez kwerendę'. Niezależnie od zaznaczenia tej opcji zwracana liczba rekordów może zostać określona poprzez zastosowanie instrukcji TOP.
Wartość domyślna: Wyłączona)"},
    {"OptionsCrossword",
     uR"(Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania krzyżówką, która zostanie ustawiona na starcie programu.
Wartość domyślna: 8

Zaznaczenie opcji 'Zaznacz opcję 'Wyszukaj anagramy'' powoduje, że opcja 'Wyszukaj anagramy' będzie domyślnie włączona.
Wartość domyślna: Wyłączona)"},
    {"OptionsPattern",
     uR"(Zaznaczenie opcji 'Zaznacz opcję 'Szukaj także w opisach'' powoduje, że opcja 'Szukaj także w opisach' będzie domyślnie włączona.
Wartość domyślna: Wyłączona)"},
    {"OptionsScrabble",
     uR"(Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania scrabble, która zostanie ustawiona na starcie programu.
Wartość domyślna: 7

Zaznaczenie opcji 'Zaznacz opcję 'Dopuszczaj więcej niż dwa blanki'' powoduje, że opcja 'Dopuszczaj więcej niż dwa blanki' będzie domyślnie włączona.
Wartość domyślna: Wyłączona)"},
    {"OptionsLogging",
     uR"(Zaznaczenie opcji 'Zapisuj błędy aplikacji do logu błędów' powoduje, że ewentualne błędy aplikacji zostaną zapisane do logu błędów. Zalecane jest pozostawienie tej opcji włączonej.
Wartość domyślna: Włączona

Zaznaczenie opcji 'Zapisuj błędy wyszukiwania kwerendą do logu błędów' powoduje, że ewentualne błędy składniowe, które wystąpią podczas wyszukiwania kwerendą, zostaną zapisane do logu błędów.
Wartość domyślna: Wyłączona

Zaznaczenie opcji 'Zapisuj błędy połączenia z bazą danych do logu błędów' powoduje, że błędy, będące wynikiem nieudanych połączeń z bazą danych, zostaną zapisane do logu błędów. Ta opcja jest szczególnie przydatna podczas weryfikowania problemów połączenia programu z bazami danych.
Wartość domyślna: Wyłączona)"},
};

TEST(HelpTopics, EachTopicIsItsFixedTextJoinedWithCrLf) {
    for (int topic = 0; topic < int(std::size(Expected)); ++topic) {
        const auto& [name, expected] = Expected[topic];
        const QString text = QString::fromUtf16(expected).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        EXPECT_TRUE(HelpTopics::exists(topic)) << name;
        EXPECT_EQ(HelpTopics::text(topic).toStdString(), text.toStdString()) << name;
    }
    for (int topic : {-1, 11, 32767}) {
        EXPECT_FALSE(HelpTopics::exists(topic)) << topic;
        EXPECT_TRUE(HelpTopics::text(topic).isEmpty()) << topic;
    }
}

} // namespace
