#include "help/HelpTopics.h"

namespace {

struct HelpLine {
    int topic;
    const char16_t* text; // an empty text is an empty line
};

// Every line of every topic, in order.
constexpr HelpLine Lines[] = {
    // Topic 0: database frame of the main window.
    {0, u"Sekcja 'Baza danych' prezentuje podstawowe informacje na temat aktualnie otwartej bazy danych. "
        u"Jeżeli baza jest zabezpieczona hasłem, należy wpisać hasło w pole 'Hasło bazy danych', aby uzyskać "
        u"do niej dostęp. Pole 'Baza danych w trybie tylko do odczytu' wskazuje, czy modyfikacja danych w "
        u"bazie jest możliwa."},
    {0, u""},
    {0, u"Kolejną informacją jest 'Status połączenia z bazą danych'. Zielony 'ptaszek' wskazuje, że "
        u"połączenie z bazą danych zostało ustanowione poprawnie. Status połączenia może zostać w dowolnej "
        u"chwili sprawdzony poprzez wciśnięcie przycisku 'Testuj bazę danych'. Jeżeli połączenie nie może "
        u"zostać ustanowione, lub baza zawiera niepoprawną strukturę tabel, pole 'Status połączenia z bazą "
        u"danych' zostanie zastąpione czerwonym 'krzyżykiem'. W przypadku wystąpienia takiej sytuacji opcje "
        u"wyszukiwania oraz modyfikacji bazy danych zostaną wyłączone."},
    {0, u""},
    {0, u"Szczegółowa charakterystyka tabel, znajdujących się w bazie danych, została opisana w sekcji "
        u"pomocy wyszukiwania kwerendą."},
    // Topic 1: crossword search.
    {1, u"Sekcja 'Wyszukiwanie - Krzyżówka' pozwala na wyszukanie wyrazów, których poszczególne litery "
        u"odpowiadają literom wpisanym w wybrane pola wyszukiwania. Długość wyrazów regulowana jest "
        u"ustawieniem paska, znajdującego się poniżej pól wyszukiwania. Domyślną wartością jest 8 znaków ale "
        u"wartość ta jest konfigurowalna w menu Opcje."},
    {1, u""},
    {1, u"Przykład:"},
    {1, u"Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę K i kończące się literami AŁ należy "
        u"wpisać w 1 pole literę K, w 7 pole literę A oraz w 8 pole literę Ł."},
    {1, u"Wyszukane wyrazy to m.in. KARDYNAŁ, KARNAWAŁ i KRYSZTAŁ."},
    {1, u""},
    {1, u"Dodatkową opcją wyszukiwania jest możliwość wyszukania anagramów wyrazów, składających się z "
        u"podanych liter. W tym celu należy wypełnić wszystkie aktywne pola wyszukiwania oraz zaznaczyć "
        u"opcję 'Wyszukaj anagramy'."},
    {1, u""},
    {1, u"Przykład: "},
    {1, u"Aby wyszukać anagramy wyrazu KROTNA należy ustawić 6 aktywnych pól wyszukiwania i wpisać "
        u"odpowiednie litery w dowolnej kolejności w pola wyszukiwania."},
    {1, u"Wyszukane wyrazy to m.in. KANTOR, KARTON i KONTRA."},
    // Topic 2: pattern search.
    {2, u"Sekcja 'Wyszukiwanie - Wzorzec' pozwala na wyszukanie wyrazów, spełniających kryteria wyszukiwania "
        u"podane we wzorcu. Dopuszczalnymi znakami są litery od a(A) do (ż)Ż oraz tzw. symbole wieloznaczne. "
        u"Do symboli wieloznacznych zaliczają się znak zapytania (?) oraz gwiazdka (*). Znak zapytania "
        u"zastępuje jedną dowolną literę natomiast gwiazdka zastępuje dowolny ciąg liter. "},
    {2, u""},
    {2, u"Przykład:"},
    {2, u"Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę K i kończące się literami AŁ (przykład "
        u"identyczny z wyszukiwania krzyżówką) należy wpisać w pole wzorca ciąg znaków: K?????AŁ."},
    {2, u"Wyszukane wyrazy to m.in. KARDYNAŁ, KARNAWAŁ i KRYSZTAŁ."},
    {2, u""},
    {2, u"Przykład:"},
    {2, u"Aby wyszukać wyrazy zaczynające się na literę B, posiadające literę Y na czwartym miejscu i "
        u"kończące się literą K należy wpisać w pole wzorca ciąg znaków: B??Y*K."},
    {2, u"Wyszukane wyrazy to m.in. BADYLEK, BAZYLISZEK i BUDYNEK."},
    {2, u""},
    {2, u"Dodatkową opcją wyszukiwania jest możliwość szukania wzorca również w opisach wyrazów. W tym celu "
        u"należy zaznaczyć opcję 'Szukaj także w opisach'. W przypadku bazy danych, zawierającej dużą ilość "
        u"opisów, wyszukiwanie może znacznie się wydłużyć."},
    // Topic 3: Scrabble search.
    {3,
     u"Sekcja 'Wyszukiwanie - Scrabble' pozwala na dopasowanie liter, znajdujących się na stojaku gracza, do "
     u"układu liter znajdującego się na planszy. Układ liter na planszy reprezentowany jest przez wzorzec "
     u"(ramka powyżej). Wzorzec musi zawierać minimum 1 literę oraz minimum 1 symbol wieloznaczny (więcej "
     u"informacji na temat symboli wieloznacznych znajduje się w sekcji pomocy wyszukiwania wzorcem)."},
    {3, u""},
    {3, u"Wyszukane wyrazy zostaną posortowane biorąc pod uwagę liczbę liter wykorzystanych ze stojaka "
        u"gracza (liczba ta zostanie również pokazana)."},
    {3, u""},
    {3, u"Przykład: "},
    {3, u"Układ liter na planszy, do którego chcemy dopasować litery ze stojaka to litera R, trzy puste pola "
        u"i litera E. Pole wzorca należy wypełnić jako: *R???E*. Litery na stojaku gracza to C, E, I, I, P, "
        u"Ś oraz blank (zastępujący dowolną literę)."},
    {3, u"Wyszukane wyrazy to m.in. PIERŚCIEŃ (użyto wszytkie 7 liter), CIERPKIE (6 liter) i RUPIECIE (6 "
        u"liter)."},
    {3, u""},
    {3, u"Przykład: "},
    {3, u"Układ liter na planszy, do którego chcemy dopasować litery ze stojaka to litera U. Pole wzorca "
        u"należy wypełnić jako: *U*. Litery na stojaku gracza to C, E, K, R, S, Z, Z."},
    {3,
     u"Wyszukane wyrazy to m.in. SZCZUREK (użyto wszytkie 7 liter), KRUSZEC (6 liter) i SKURCZE (6 liter)."},
    // Topic 4: query search.
    {4, u"Sekcja 'Wyszukiwanie - Kwerenda' pozwala na uzyskanie bardziej zaawansowanych informacji z bazy "
        u"danych, które nie mogłyby zostać uzyskane posługując się pozostałymi trybami wyszukiwania. "
        u"Wyszukiwanie polega na wykonaniu przez aplikację kwerendy (zapytania) SQL do bazy danych (plik w "
        u"formacie MS Access)."},
    {4, u""},
    {4, u"Na bazę danych składają się 2 tabele. Tabela [WYRAZY] zawiera 2 pola: [WyrazID] (numeryczny "
        u"identyfikator wyrazu przydzielany automatycznie) oraz [Wyraz] (pole tekstowe - maksymalnie 50 "
        u"znaków). Tabela [OPISY] zawiera również 2 pola: [WyrazID] (numeryczny identyfikator wyrazu z "
        u"tabeli [WYRAZY]) oraz [Opis] (pole tekstowe - maksymalnie 255 znaków)."},
    {4, u""},
    {4, u"Przykład:"},
    {4, u"Aby wyszukać ośmioliterowe wyrazy zaczynające się na literę S, kończące się literą K i zawierające "
        u"literę 'Ą', należy użyć jednej z poniższych kwerend:"},
    {4, u"- SELECT UCASE(Wyraz) AS Wyraz FROM WYRAZY WHERE Wyraz LIKE 'S______K' AND Wyraz LIKE '%Ą%'"},
    {4, u"- SELECT UCASE(Wyraz) AS Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 8 AND LEFT(Wyraz, 1) = 'S' AND "
        u"Right(Wyraz, 1) = 'K' AND INSTR(Wyraz, 'Ą') <> 0"},
    {4, u""},
    {4, u"Przykład:"},
    {4, u"Aby wyszukać 100 wyrazów zaczynających się na literę K i posiadających literę T na czwartym "
        u"miejscu, oraz ich opisy, należy użyć poniższej kwerendy:"},
    {4, u"- SELECT TOP 100 UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID "
        u"= OPISY.WyrazID WHERE Wyraz LIKE 'K__T%'"},
    // Topic 5: search results.
    {5, u"Sekcja 'Wyniki wyszukiwania' prezentuje wyrazy, które zostaną znalezione w dowolnym trybie "
        u"wyszukiwania. Rekordy są domyślnie sortowane alfabetycznie ale tą kolejność można odwrócić "
        u"naciskając nagłówek tabeli. Jeżeli baza danych nie została otwarta w trybie tylko do odczytu, "
        u"możliwe jest dokonywanie operacji zapisu do bazy danych, jak również usuwania rekordów z bazy. Po "
        u"wciśnięciu prawego przycisku myszki pojawi się rozwijane menu. Lista dostępnych opcji uzależniona "
        u"jest od ilości zaznaczonych wyrazów. "},
    {5, u""},
    {5, u"Opcja 'Zarządzaj opisami' pozwala na przeglądanie istniejących opisów wybranego wyrazu, dodawanie "
        u"nowych opisów oraz usuwanie istniejących."},
    {5, u""},
    {5, u"Opcja 'Modyfikuj wyraz' pozwala na modyfikację wybranego wyrazu w bazie danych."},
    {5, u""},
    {5, u"Opcja 'Dodaj nowy wyraz' umożliwia dodanie nowego wyrazu do bazy danych, pod warunkiem, że "
        u"identyczny wyraz nie istnieje już w bazie."},
    {5, u""},
    {5, u"Opcja 'Usuń wyraz' pozwala na usunięcie zaznaczonego wyrazu z bazy danych. W przypadku zaznaczenia "
        u"więcej niż jednego wyrazu (korzystając z przycisku Ctrl) ta opcja będzie wyświetlona jako 'Usuń "
        u"wyrazy'."},
    // Topic 6: options dialog, database tab.
    {6, u"Zaznaczenie opcji 'Otwórz ostatnio używaną bazę danych na starcie programu' powoduje, że ostatnio "
        u"używana baza danych zostanie automatycznie otwarta na starcie programu."},
    {6, u"Wartość domyślna: Wyłączona"},
    {6, u""},
    {6, u"Zaznaczenie opcji 'Otwórz bazę danych w trybie tylko do odczytu' powoduje, że baza danych zostanie "
        u"domyślnie otwarta w trybie tylko do odczytu. Modyfikacja wyrazów i opisów będzie niemożliwa."},
    {6, u"Wartość domyślna: Wyłączona"},
    {6, u""},
    {6, u"Opcja 'Limit czasu na połączenie z bazą danych' pozwala na ustawienie limitu czasu (w sekundach) "
        u"na uzyskanie poprawnego połączenia z bazą danych."},
    {6, u"Wartość domyślna: 60"},
    {6, u""},
    {6, u"Opcja 'Maksymalna liczba rekordów zwracanych przez kwerendę' pozwala na ustawienie maksymalnej "
        u"liczby rekordów, które mogą zostać wyświetlone w wynikach wyszukiwania."},
    {6, u"Wartość domyślna: 5000"},
    {6, u""},
    {6, u"Opcja 'Odświeżanie wyników wyszukiwania' pozwala na ustawienie co ile rekordów tabela wyników "
        u"wyszukiwania zostanie odświeżona. Ustawienie zbyt małej wartości może skutkować migotaniem tabeli "
        u"natomiast zbyt wysoka wartość może powodować wrażenie zawieszenia programu."},
    {6, u"Wartość domyślna: 100"},
    {6, u""},
    {6, u"Zaznaczenie opcji 'Dopuszczaj przekroczenie maksymalnej liczby rekordów podczas wyszukiwania "
        u"kwerendą' powoduje, że liczba rekordów wyszukana podczas wyszukiwania kwerendą może przekroczyć "
        u"wartość określoną w polu 'Maksymalna liczba rekordów zwracanych przez kwerendę'. Niezależnie od "
        u"zaznaczenia tej opcji zwracana liczba rekordów może zostać określona poprzez zastosowanie "
        u"instrukcji TOP."},
    {6, u"Wartość domyślna: Wyłączona"},
    // Topic 7: options dialog, crossword defaults.
    {7, u"Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania "
        u"krzyżówką, która zostanie ustawiona na starcie programu."},
    {7, u"Wartość domyślna: 8"},
    {7, u""},
    {7, u"Zaznaczenie opcji 'Zaznacz opcję 'Wyszukaj anagramy'' powoduje, że opcja 'Wyszukaj anagramy' "
        u"będzie domyślnie włączona."},
    {7, u"Wartość domyślna: Wyłączona"},
    // Topic 8: options dialog, pattern default.
    {8, u"Zaznaczenie opcji 'Zaznacz opcję 'Szukaj także w opisach'' powoduje, że opcja 'Szukaj także w "
        u"opisach' będzie domyślnie włączona."},
    {8, u"Wartość domyślna: Wyłączona"},
    // Topic 9: options dialog, Scrabble defaults.
    {9, u"Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania "
        u"scrabble, która zostanie ustawiona na starcie programu."},
    {9, u"Wartość domyślna: 7"},
    {9, u""},
    {9, u"Zaznaczenie opcji 'Zaznacz opcję 'Dopuszczaj więcej niż dwa blanki'' powoduje, że opcja "
        u"'Dopuszczaj więcej niż dwa blanki' będzie domyślnie włączona."},
    {9, u"Wartość domyślna: Wyłączona"},
    // Topic 10: options dialog, logging tab.
    {10, u"Zaznaczenie opcji 'Zapisuj błędy aplikacji do logu błędów' powoduje, że ewentualne błędy "
         u"aplikacji zostaną zapisane do logu błędów. Zalecane jest pozostawienie tej opcji włączonej."},
    {10, u"Wartość domyślna: Włączona"},
    {10, u""},
    {10, u"Zaznaczenie opcji 'Zapisuj błędy wyszukiwania kwerendą do logu błędów' powoduje, że ewentualne "
         u"błędy składniowe, które wystąpią podczas wyszukiwania kwerendą, zostaną zapisane do logu błędów."},
    {10, u"Wartość domyślna: Wyłączona"},
    {10, u""},
    {10, u"Zaznaczenie opcji 'Zapisuj błędy połączenia z bazą danych do logu błędów' powoduje, że błędy, "
         u"będące wynikiem nieudanych połączeń z bazą danych, zostaną zapisane do logu błędów. Ta opcja jest "
         u"szczególnie przydatna podczas weryfikowania problemów połączenia programu z bazami danych."},
    {10, u"Wartość domyślna: Wyłączona"},
};

} // namespace

bool HelpTopics::exists(int topic) {
    return topic >= 0 && topic < Count;
}

QStringList HelpTopics::lines(int topic) {
    QStringList result;
    for (const HelpLine& line : Lines)
        if (line.topic == topic)
            result << QString::fromUtf16(line.text);
    return result;
}

QString HelpTopics::text(int topic) {
    return lines(topic).join(QStringLiteral("\r\n"));
}
