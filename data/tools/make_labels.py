#!/usr/bin/env python3
"""Writes data/Dawnlabel.txt, the label file shipped with Dawnhelm.

One line per cell, "CC-RR-text", column by column: column 0 describes each
row for translators, columns 1 to 7 are the languages Loc, Ned, Fra, Deu,
Eng, Ita and Esp. "Loc" carries the English texts; the program replaces its
weekday names with those of the user's locale.

The main window draws its captions in a fixed-pitch font, so the captions of
one group are padded to one length and end in a colon in the same column.

Run from anywhere: python3 data/tools/make_labels.py
"""
from pathlib import Path

LANGS = ["Loc", "Ned", "Fra", "Deu", "Eng", "Ita", "Esp"]

# Row: (description, {language: text}); "Loc" copies "Eng" unless given.
ROWS = {
    0: ("Language name", dict(Loc="Local", Ned="Nederlands", Fra="Français", Deu="Deutsch",
                              Eng="English", Ita="Italiano", Esp="Español")),
    1: ("Weekday: Sunday", dict(Ned="Zondag", Fra="Dimanche", Deu="Sonntag", Eng="Sunday",
                                Ita="Domenica", Esp="Domingo")),
    2: ("Weekday: Monday", dict(Ned="Maandag", Fra="Lundi", Deu="Montag", Eng="Monday",
                                Ita="Lunedì", Esp="Lunes")),
    3: ("Weekday: Tuesday", dict(Ned="Dinsdag", Fra="Mardi", Deu="Dienstag", Eng="Tuesday",
                                 Ita="Martedì", Esp="Martes")),
    4: ("Weekday: Wednesday", dict(Ned="Woensdag", Fra="Mercredi", Deu="Mittwoch",
                                   Eng="Wednesday", Ita="Mercoledì", Esp="Miércoles")),
    5: ("Weekday: Thursday", dict(Ned="Donderdag", Fra="Jeudi", Deu="Donnerstag",
                                  Eng="Thursday", Ita="Giovedì", Esp="Jueves")),
    6: ("Weekday: Friday", dict(Ned="Vrijdag", Fra="Vendredi", Deu="Freitag", Eng="Friday",
                                Ita="Venerdì", Esp="Viernes")),
    7: ("Weekday: Saturday", dict(Ned="Zaterdag", Fra="Samedi", Deu="Samstag", Eng="Saturday",
                                  Ita="Sabato", Esp="Sábado")),
    8: ("Week-number column; hint word", dict(Ned="Week", Fra="Semaine", Deu="Woche",
                                             Eng="Week", Ita="Settimana", Esp="Semana")),
    9: ("Main: sunrise caption", dict(Ned="Zon op", Fra="Lever du soleil", Deu="Sonnenaufgang",
                                      Eng="Sunrise", Ita="Alba", Esp="Salida del sol")),
    10: ("Main: sunset caption", dict(Ned="Zon onder", Fra="Coucher du soleil",
                                      Deu="Sonnenuntergang", Eng="Sunset", Ita="Tramonto",
                                      Esp="Puesta del sol")),
    11: ("(not used)", {}),
    12: ("(not used)", {}),
    13: ("Main: days left of summer time", dict(Ned="Dagen tot wintertijd",
                                               Fra="Jours avant l'heure d'hiver",
                                               Deu="Tage bis Winterzeit", Eng="Days to winter time",
                                               Ita="Giorni all'ora solare",
                                               Esp="Días para hora de invierno")),
    14: ("Main: days left of winter time", dict(Ned="Dagen tot zomertijd",
                                               Fra="Jours avant l'heure d'été",
                                               Deu="Tage bis Sommerzeit", Eng="Days to summer time",
                                               Ita="Giorni all'ora legale",
                                               Esp="Días para hora de verano")),
    15: ("Main: coordinates caption", dict(Ned="Coördinaten", Fra="Coordonnées",
                                           Deu="Koordinaten", Eng="Coordinates", Ita="Coordinate",
                                           Esp="Coordenadas")),
    16: ("North (first letter shown)", dict(Ned="Noord", Fra="Nord", Deu="Nord", Eng="North",
                                            Ita="Nord", Esp="Norte")),
    17: ("East (first letter shown)", dict(Ned="Oost", Fra="Est", Deu="Ost", Eng="East",
                                           Ita="Est", Esp="Este")),
    18: ("South (first letter shown)", dict(Ned="Zuid", Fra="Sud", Deu="Süd", Eng="South",
                                            Ita="Sud", Esp="Sur")),
    19: ("West (first letter shown)", dict(Ned="West", Fra="Ouest", Deu="West", Eng="West",
                                           Ita="Ovest", Esp="Oeste")),
    20: ("Settings: latitude", dict(Ned="Breedtegraad", Fra="Latitude", Deu="Breitengrad", Eng="Latitude",
                                    Ita="Latitudine", Esp="Latitud")),
    21: ("Settings: longitude", dict(Ned="Lengtegraad", Fra="Longitude", Deu="Längengrad",
                                     Eng="Longitude", Ita="Longitudine", Esp="Longitud")),
    22: ("Settings: month of the change", dict(Ned="Maand", Fra="Mois", Deu="Monat",
                                               Eng="Month", Ita="Mese", Esp="Mes")),
    23: ("Settings: weekend of the change", dict(Ned="Weekend", Fra="Week-end",
                                                 Deu="Wochenende", Eng="Weekend",
                                                 Ita="Fine settimana", Esp="Fin de semana")),
    24: ("Settings: first week group", dict(Ned="Eerste week", Fra="Première semaine",
                                            Deu="Erste Woche", Eng="First week",
                                            Ita="Prima settimana", Esp="Primera semana")),
    25: ("Settings: week 1 holds New Year", dict(Ned="Nieuwjaar", Fra="Nouvel An",
                                                 Deu="Neujahr", Eng="New Year",
                                                 Ita="Capodanno", Esp="Año Nuevo")),
    26: ("Time zone (settings, export, mail)", dict(Ned="Tijdzone", Fra="Fuseau horaire",
                                                    Deu="Zeitzone", Eng="Time zone",
                                                    Ita="Fuso orario", Esp="Zona horaria")),
    27: ("Settings: play sound hint", dict(Ned="Geluid afspelen", Fra="Écouter le son",
                                           Deu="Ton abspielen", Eng="Play sound",
                                           Ita="Riproduci suono", Esp="Reproducir sonido")),
    28: ("Settings: image", dict(Ned="Afbeelding", Fra="Image", Deu="Bild", Eng="Image",
                                 Ita="Immagine", Esp="Imagen")),
    29: ("Settings: activate group", dict(Ned="Activeren", Fra="Activer", Deu="Aktivieren",
                                          Eng="Activate", Ita="Attiva", Esp="Activar")),
    30: ("Settings: sound alarm", dict(Ned="Alarm", Fra="Alarme", Deu="Alarm", Eng="Alarm",
                                       Ita="Allarme", Esp="Alarma")),
    31: ("Help line: language", dict(Ned="Taal", Fra="Langue", Deu="Sprache", Eng="Language",
                                     Ita="Lingua", Esp="Idioma")),
    32: ("Summer time (main, settings, graph)", dict(Ned="Zomertijd", Fra="Heure d'été",
                                                     Deu="Sommerzeit", Eng="Summer time",
                                                     Ita="Ora legale", Esp="Hora de verano")),
    33: ("Winter time (main, settings, graph)", dict(Ned="Wintertijd", Fra="Heure d'hiver",
                                                     Deu="Winterzeit", Eng="Winter time",
                                                     Ita="Ora solare", Esp="Hora de invierno")),
    34: ("Settings: clock change group", dict(Ned="Klok verzetten", Fra="Changement d'heure",
                                              Deu="Zeitumstellung", Eng="Clock change",
                                              Ita="Cambio dell'ora", Esp="Cambio de hora")),
    35: ("Settings: time group", dict(Ned="Tijd", Fra="Heure", Deu="Zeit", Eng="Time",
                                     Ita="Ora", Esp="Hora")),
    36: ("Settings: button to the media", dict(Ned="Media", Fra="Médias", Deu="Medien",
                                               Eng="Media", Ita="Multimedia", Esp="Multimedia")),
    37: ("Settings: stretch image", dict(Ned="Uitrekken", Fra="Étirer", Deu="Strecken",
                                         Eng="Stretch", Ita="Adatta", Esp="Ajustar")),
    38: ("Settings: button back to settings", dict(Ned="Instellingen", Fra="Réglages",
                                                   Deu="Einstellungen", Eng="Settings",
                                                   Ita="Impostazioni", Esp="Ajustes")),
    39: ("Settings: show clock", dict(Ned="Klok", Fra="Horloge", Deu="Uhr", Eng="Clock",
                                      Ita="Orologio", Esp="Reloj")),
    40: ("Main: length of daylight", dict(Ned="Daglengte", Fra="Durée du jour",
                                          Deu="Tageslänge", Eng="Daylight",
                                          Ita="Durata del giorno", Esp="Duración del día")),
    41: ("Settings: zone east hint", dict(Ned="Oost van Greenwich", Fra="Est de Greenwich",
                                          Deu="Östlich von Greenwich", Eng="East of Greenwich",
                                          Ita="Est di Greenwich", Esp="Este de Greenwich")),
    42: ("Settings: zone west hint", dict(Ned="West van Greenwich", Fra="Ouest de Greenwich",
                                          Deu="Westlich von Greenwich", Eng="West of Greenwich",
                                          Ita="Ovest di Greenwich", Esp="Oeste de Greenwich")),
    43: ("Main: moonrise caption", dict(Ned="Maan op", Fra="Lever de lune", Deu="Mondaufgang",
                                        Eng="Moonrise", Ita="Luna sorge",
                                        Esp="Salida de luna")),
    44: ("Main: moonset caption", dict(Ned="Maan onder", Fra="Coucher de lune",
                                       Deu="Monduntergang", Eng="Moonset", Ita="Luna tramonta",
                                       Esp="Puesta de luna")),
    45: ("Main: duration of moonlight", dict(Ned="Maanlicht", Fra="Lune visible",
                                             Deu="Mond sichtbar", Eng="Moonlight",
                                             Ita="Luna visibile", Esp="Luna visible")),
    46: ("(not used)", {}),
    47: ("Help line: azimuth", dict(Ned="Azimut", Fra="Azimut", Deu="Azimut", Eng="Azimuth",
                                    Ita="Azimut", Esp="Acimut")),
    48: ("Message: sun does not rise", dict(Ned="Zon komt niet op", Fra="Soleil sans lever",
                                            Deu="Kein Sonnenaufgang", Eng="No sunrise",
                                            Ita="Nessuna alba", Esp="Sin salida del sol")),
    49: ("Message: sun does not set", dict(Ned="Zon gaat niet onder", Fra="Soleil sans coucher",
                                           Deu="Kein Sonnenuntergang", Eng="No sunset",
                                           Ita="Nessun tramonto", Esp="Sin puesta del sol")),
    50: ("Message: sun down all day", dict(Ned="Poolnacht", Fra="Nuit polaire",
                                           Deu="Polarnacht", Eng="Sun down all day",
                                           Ita="Notte polare", Esp="Noche polar")),
    51: ("Message: sun up all day", dict(Ned="Middernachtzon", Fra="Jour polaire",
                                         Deu="Mitternachtssonne", Eng="Sun up all day",
                                         Ita="Sole di mezzanotte", Esp="Sol de medianoche")),
    52: ("Message: moon does not rise", dict(Ned="Maan komt niet op", Fra="Lune sans lever",
                                             Deu="Kein Mondaufgang", Eng="No moonrise",
                                             Ita="La luna non sorge", Esp="Sin salida de luna")),
    53: ("Message: moon does not set", dict(Ned="Maan gaat niet onder", Fra="Lune sans coucher",
                                            Deu="Kein Monduntergang", Eng="No moonset",
                                            Ita="La luna non tramonta", Esp="Sin puesta de luna")),
    54: ("Message: moon down all day", dict(Ned="Maan blijft onder", Fra="Lune invisible",
                                            Deu="Mond nicht sichtbar", Eng="Moon down all day",
                                            Ita="Luna mai visibile", Esp="Luna no visible")),
    55: ("Message: moon up all day", dict(Ned="Maan blijft op", Fra="Lune visible 24 h/24",
                                          Deu="Mond immer sichtbar", Eng="Moon up all day",
                                          Ita="Luna sempre visibile", Esp="Luna siempre visible")),
    # Twilight, solar noon and the moon's phase.
    56: ("Twilight panel: civil", dict(Ned="Burgerlijk", Fra="Civil", Deu="Bürgerlich",
                                       Eng="Civil", Ita="Civile", Esp="Civil")),
    57: ("Twilight panel: nautical", dict(Ned="Nautisch", Fra="Nautique", Deu="Nautisch",
                                          Eng="Nautical", Ita="Nautico", Esp="Náutico")),
    58: ("Twilight panel: astronomical", dict(Ned="Astronomisch", Fra="Astronomique",
                                              Deu="Astronomisch", Eng="Astronomical",
                                              Ita="Astronomico", Esp="Astronómico")),
    59: ("Twilight panel: solar noon", dict(Ned="Ware middag", Fra="Midi solaire",
                                            Deu="Wahrer Mittag", Eng="Solar noon",
                                            Ita="Mezzogiorno solare", Esp="Mediodía solar")),
    60: ("Twilight (panel hint, export)", dict(Ned="Schemering", Fra="Crépuscule",
                                               Deu="Dämmerung", Eng="Twilight",
                                               Ita="Crepuscolo", Esp="Crepúsculo")),
    61: ("Moon phase (export)", dict(Ned="Maanfase", Fra="Phase de la lune", Deu="Mondphase",
                                     Eng="Moon phase", Ita="Fase lunare", Esp="Fase lunar")),
    62: ("Phase: new moon", dict(Ned="Nieuwe maan", Fra="Nouvelle lune", Deu="Neumond",
                                 Eng="New moon", Ita="Luna nuova", Esp="Luna nueva")),
    63: ("Phase: waxing crescent", dict(Ned="Wassende sikkel", Fra="Premier croissant",
                                        Deu="Zunehmende Sichel", Eng="Waxing crescent",
                                        Ita="Luna crescente", Esp="Luna creciente")),
    64: ("Phase: first quarter", dict(Ned="Eerste kwartier", Fra="Premier quartier",
                                      Deu="Erstes Viertel", Eng="First quarter",
                                      Ita="Primo quarto", Esp="Cuarto creciente")),
    65: ("Phase: waxing gibbous", dict(Ned="Wassende maan", Fra="Gibbeuse croissante",
                                       Deu="Zunehmender Mond", Eng="Waxing gibbous",
                                       Ita="Gibbosa crescente", Esp="Gibosa creciente")),
    66: ("Phase: full moon", dict(Ned="Volle maan", Fra="Pleine lune", Deu="Vollmond",
                                  Eng="Full moon", Ita="Luna piena", Esp="Luna llena")),
    67: ("Phase: waning gibbous", dict(Ned="Afnemende maan", Fra="Gibbeuse décroissante",
                                       Deu="Abnehmender Mond", Eng="Waning gibbous",
                                       Ita="Gibbosa calante", Esp="Gibosa menguante")),
    68: ("Phase: last quarter", dict(Ned="Laatste kwartier", Fra="Dernier quartier",
                                     Deu="Letztes Viertel", Eng="Last quarter",
                                     Ita="Ultimo quarto", Esp="Cuarto menguante")),
    69: ("Phase: waning crescent", dict(Ned="Afnemende sikkel", Fra="Dernier croissant",
                                        Deu="Abnehmende Sichel", Eng="Waning crescent",
                                        Ita="Luna calante", Esp="Luna menguante")),
    70: ("Moon: illuminated part", dict(Ned="Verlicht", Fra="Éclairée", Deu="Beleuchtet",
                                        Eng="Illuminated", Ita="Illuminata", Esp="Iluminada")),
    71: ("Moon: age in days", dict(Ned="Leeftijd", Fra="Âge", Deu="Alter", Eng="Age",
                                   Ita="Età", Esp="Edad")),
    72: ("Moon: next full moon", dict(Ned="Volgende volle maan", Fra="Prochaine pleine lune",
                                      Deu="Nächster Vollmond", Eng="Next full moon",
                                      Ita="Prossima luna piena", Esp="Próxima luna llena")),
    73: ("Moon: next new moon", dict(Ned="Volgende nieuwe maan", Fra="Prochaine nouvelle lune",
                                     Deu="Nächster Neumond", Eng="Next new moon",
                                     Ita="Prossima luna nuova", Esp="Próxima luna nueva")),
    74: ("Twilight: dawn", dict(Ned="Ochtendschemering", Fra="Aube", Deu="Morgendämmerung",
                                Eng="Dawn", Ita="Aurora", Esp="Alba")),
    75: ("Twilight: dusk", dict(Ned="Avondschemering", Fra="Crépuscule du soir",
                                Deu="Abenddämmerung", Eng="Dusk", Ita="Imbrunire",
                                Esp="Anochecer")),
    # Reminders: the names of the twilight alarms, the notification's words
    # (patterns: {event} the event's name, {minutes} the offset's size, {time}
    # the event's clock time, {azimuth} its azimuth), the calendar file of the
    # export dialog and the alarms of the media panel.
    76: ("Alarm: civil dawn", dict(Ned="Burgerlijke dageraad", Fra="Aube civile",
                                   Deu="Bürgerliche Morgendämmerung", Eng="Civil dawn",
                                   Ita="Alba civile", Esp="Alba civil")),
    77: ("Alarm: civil dusk", dict(Ned="Burgerlijke schemering", Fra="Crépuscule civil",
                                   Deu="Bürgerliche Abenddämmerung", Eng="Civil dusk",
                                   Ita="Crepuscolo civile", Esp="Crepúsculo civil")),
    78: ("Notification: before the event", dict(Ned="{event} over {minutes} minuten",
                                                Fra="{event} dans {minutes} minutes",
                                                Deu="{event} in {minutes} Minuten",
                                                Eng="{event} in {minutes} minutes",
                                                Ita="{event} tra {minutes} minuti",
                                                Esp="{event} en {minutes} minutos")),
    79: ("Notification: one minute before", dict(Ned="{event} over 1 minuut",
                                                 Fra="{event} dans 1 minute",
                                                 Deu="{event} in 1 Minute",
                                                 Eng="{event} in 1 minute",
                                                 Ita="{event} tra 1 minuto",
                                                 Esp="{event} en 1 minuto")),
    80: ("Notification: after the event", dict(Ned="{event} {minutes} minuten geleden",
                                               Fra="{event} il y a {minutes} minutes",
                                               Deu="{event} vor {minutes} Minuten",
                                               Eng="{event} {minutes} minutes ago",
                                               Ita="{event} {minutes} minuti fa",
                                               Esp="{event} hace {minutes} minutos")),
    81: ("Notification: one minute after", dict(Ned="{event} 1 minuut geleden",
                                                Fra="{event} il y a 1 minute",
                                                Deu="{event} vor 1 Minute",
                                                Eng="{event} 1 minute ago",
                                                Ita="{event} 1 minuto fa",
                                                Esp="{event} hace 1 minuto")),
    82: ("Notification: text", dict(Ned="{event} om {time}, azimut {azimuth}",
                                    Fra="{event} à {time}, azimut {azimuth}",
                                    Deu="{event} um {time}, Azimut {azimuth}",
                                    Eng="{event} at {time}, azimuth {azimuth}",
                                    Ita="{event} alle {time}, azimut {azimuth}",
                                    Esp="{event} a las {time}, acimut {azimuth}")),
    83: ("Notification: text without azimuth", dict(Ned="{event} om {time}",
                                                    Fra="{event} à {time}",
                                                    Deu="{event} um {time}",
                                                    Eng="{event} at {time}",
                                                    Ita="{event} alle {time}",
                                                    Esp="{event} a las {time}")),
    84: ("Export: moonrise and moonset", dict(Ned="Maan op en onder",
                                              Fra="Lever et coucher de lune",
                                              Deu="Mondauf- und -untergang",
                                              Eng="Moonrise and moonset",
                                              Ita="Sorgere e tramonto della luna",
                                              Esp="Salida y puesta de luna")),
    85: ("Export: civil dawn and dusk", dict(Ned="Burgerlijke schemering",
                                             Fra="Aube et crépuscule civils",
                                             Deu="Bürgerliche Dämmerung",
                                             Eng="Civil dawn and dusk",
                                             Ita="Alba e crepuscolo civili",
                                             Esp="Alba y crepúsculo civiles")),
    86: ("Export: calendar file button", dict(Ned="Agendabestand (.ics)",
                                              Fra="Fichier de calendrier (.ics)",
                                              Deu="Kalenderdatei (.ics)",
                                              Eng="Calendar file (.ics)",
                                              Ita="File di calendario (.ics)",
                                              Esp="Archivo de calendario (.ics)")),
    87: ("Media: alarms group", dict(Ned="Alarmen", Fra="Alarmes", Deu="Alarme", Eng="Alarms",
                                     Ita="Allarmi", Esp="Alarmas")),
    88: ("Media: alarm offset", dict(Ned="Verschuiving", Fra="Décalage", Deu="Versatz",
                                     Eng="Offset", Ita="Scarto", Esp="Desfase")),
    89: ("Media: minutes", dict(Ned="minuten", Fra="minutes", Deu="Minuten", Eng="minutes",
                                Ita="minuti", Esp="minutos")),
    90: ("Media: alarm way picture", dict(Ned="Afbeelding", Fra="Image", Deu="Bild",
                                          Eng="Picture", Ita="Immagine", Esp="Imagen")),
    91: ("Media: alarm way notification", dict(Ned="Melding", Fra="Notification",
                                               Deu="Benachrichtigung", Eng="Notification",
                                               Ita="Notifica", Esp="Notificación")),
    92: ("Media: alarm way both", dict(Ned="Beide", Fra="Les deux", Deu="Beides", Eng="Both",
                                       Ita="Entrambi", Esp="Ambos")),
    93: ("Media: no alarm", dict(Ned="Geen alarm", Fra="Pas d'alarme", Deu="Kein Alarm",
                                 Eng="No alarm", Ita="Nessun allarme", Esp="Sin alarma")),
    94: ("Media: alarm offset hint", dict(Ned="Min: vóór de gebeurtenis, plus: erna",
                                          Fra="Moins : avant l'événement, plus : après",
                                          Deu="Minus: vor dem Ereignis, plus: danach",
                                          Eng="Minus: before the event, plus: after it",
                                          Ita="Meno: prima dell'evento, più: dopo",
                                          Esp="Menos: antes del evento, más: después")),
    95: ("Main: summer-time row, no summer time in the year", dict(
        Ned="geen", Fra="aucune", Deu="keine", Eng="none", Ita="nessuna", Esp="ninguna")),
    96: ("Main: winter-time row, no summer time in the year", dict(
        Ned="heel het jaar", Fra="toute l'année", Deu="ganzjährig", Eng="all year",
        Ita="tutto l'anno", Esp="todo el año")),
    97: ("Main: day count, no summer time in the year", dict(
        Ned="Geen klokwissel", Fra="Pas de changement d'heure", Deu="Keine Zeitumstellung",
        Eng="No clock changes", Ita="Nessun cambio d'ora", Esp="Sin cambio de hora")),
    # Texts of the windows and menus beside the designed captions. A "&"
    # marks the menu's access key; where a text also titles a window or
    # captions a panel, it is shown without the "&".
    100: ("Menu: configuration; title of the configuration dialog",
          dict(Ned="&Configuratie", Fra="&Configuration", Deu="&Konfiguration",
               Eng="&Configuration", Ita="&Configurazione", Esp="&Configuración")),
    101: ("Menu: export; title of the export dialog",
          dict(Ned="Gegevens e&xporteren", Fra="E&xporter les données", Deu="Daten e&xportieren",
               Eng="Export &Data", Ita="Esporta &dati", Esp="E&xportar datos")),
    102: ("Export: text file button", dict(Ned="Exporteren naar tekstbestand met puntkomma's",
                                          Fra="Exporter en fichier texte avec points-virgules",
                                          Deu="Als Textdatei mit Semikolons exportieren",
                                          Eng="Export to text file with semicolons",
                                          Ita="Esporta in file di testo con punti e virgola",
                                          Esp="Exportar a archivo de texto con punto y coma")),
    103: ("Menu: set up; caption of the clock panel", dict(Ned="&Instellen", Fra="&Réglages",
                                                          Deu="&Einrichten", Eng="Set &up",
                                                          Ita="Imp&osta", Esp="&Ajustes")),
    104: ("Menu: graphics", dict(Ned="&Grafiek", Fra="&Graphique", Deu="&Grafik",
                                 Eng="&Graphics", Ita="&Grafico", Esp="&Gráfico")),
    105: ("Menu: help file", dict(Ned="Dawnhelm &help", Fra="&Aide de Dawnhelm",
                                  Deu="Dawnhelm-&Hilfe", Eng="Dawnhelm &helpfile",
                                  Ita="G&uida di Dawnhelm", Esp="A&yuda de Dawnhelm")),
    106: ("Menu: home page", dict(Ned="Dawnhelm &website", Fra="&Site de Dawnhelm",
                                  Deu="Dawnhelm-&Webseite", Eng="&Dawnhelm Homepage",
                                  Ita="&Sito di Dawnhelm", Esp="&Web de Dawnhelm")),
    107: ("Menu: e-mail", dict(Ned="&E-mail aan Dawnhelm", Fra="Co&urriel à Dawnhelm",
                               Deu="&E-Mail an Dawnhelm", Eng="&E-mail Dawnhelm",
                               Ita="&E-mail a Dawnhelm", Esp="Corr&eo a Dawnhelm")),
    108: ("Menu: notification-area icon", dict(Ned="&Systeemvak", Fra="&Zone de notification",
                                               Deu="&Infobereich", Eng="Sys&tray",
                                               Ita="Area di &notifica", Esp="Área de &notificación")),
    109: ("Menu: about; the clock panel's caption once a minute",
          dict(Ned="&Over", Fra="À &propos", Deu="&Über", Eng="&About", Ita="In&formazioni",
               Esp="Acerca &de")),
    110: ("Menu: exit", dict(Ned="&Afsluiten", Fra="&Quitter", Deu="&Beenden", Eng="E&xit",
                             Ita="Esc&i", Esp="&Salir")),
    111: ("Icon menu: leave the notification area", dict(Ned="&Uit het systeemvak",
                                                        Fra="&Quitter la zone de notification",
                                                        Deu="Aus dem &Infobereich",
                                                        Eng="Sys&tray Out",
                                                        Ita="F&uori dall'area di notifica",
                                                        Esp="&Salir del área de notificación")),
    112: ("Icon menu: shut down", dict(Ned="Dawnhelm af&sluiten", Fra="&Fermer Dawnhelm",
                                       Deu="Dawnhelm &beenden", Eng="Shu&tdown Dawnhelm",
                                       Ita="C&hiudi Dawnhelm", Esp="Ce&rrar Dawnhelm")),
    113: ("Main: hint line, seconds 0 and 1", dict(Ned="Rechter muisknop = instellen",
                                                  Fra="Bouton droit de la souris = réglages",
                                                  Deu="Rechte Maustaste = Einrichten",
                                                  Eng="Right mouse-button = setup",
                                                  Ita="Tasto destro del mouse = impostazioni",
                                                  Esp="Botón derecho del ratón = ajustes")),
    114: ("Main: hint line, seconds 15 and 16", dict(Ned="Stel uw coördinaten in",
                                                    Fra="Réglez vos coordonnées",
                                                    Deu="Stellen Sie Ihre Koordinaten ein",
                                                    Eng="Set your local coordinates",
                                                    Ita="Imposta le tue coordinate",
                                                    Esp="Ajuste sus coordenadas")),
    115: ("Main: hint line, seconds 30 and 31", dict(Ned="Functietoets F1 = help",
                                                    Fra="Touche de fonction F1 = aide",
                                                    Deu="Funktionstaste F1 = Hilfe",
                                                    Eng="Functionkey F1 = help",
                                                    Ita="Tasto funzione F1 = guida",
                                                    Esp="Tecla de función F1 = ayuda")),
    116: ("Settings: place group", dict(Ned="Plaats", Fra="Lieu", Deu="Ort", Eng="Place",
                                        Ita="Luogo", Esp="Lugar")),
    117: ("Settings: place search hint", dict(Ned="Typ de naam van een stad",
                                              Fra="Tapez le nom d'une ville",
                                              Deu="Namen einer Stadt eingeben",
                                              Eng="Type the name of a city",
                                              Ita="Digita il nome di una città",
                                              Esp="Escriba el nombre de una ciudad")),
    118: ("Settings: ephemeris group", dict(Ned="Efemeride", Fra="Éphéméride", Deu="Ephemeride",
                                            Eng="Ephemeris", Ita="Effemeride", Esp="Efeméride")),
    119: ("Settings: summer time switch", dict(Ned="Zomertijd", Fra="Heure d'été",
                                               Deu="Sommerzeit", Eng="DST", Ita="Ora legale",
                                               Esp="Horario de verano")),
    120: ("Settings: the makers", dict(Ned="De makers van Dawnhelm",
                                       Fra="Les auteurs de Dawnhelm",
                                       Deu="Die Macher von Dawnhelm", Eng="The Dawnhelm makers",
                                       Ita="Gli autori di Dawnhelm", Esp="Los autores de Dawnhelm")),
    121: ("Settings: home page line", dict(Ned="website:", Fra="site web :", Deu="Webseite:",
                                           Eng="homepage:", Ita="sito web:", Esp="sitio web:")),
    122: ("Menu: sun panel", dict(Ned="&Zonpaneel", Fra="Panneau du s&oleil",
                                  Deu="&Sonnenansicht", Eng="&Sun panel", Ita="Pannello del s&ole",
                                  Esp="Panel del s&ol")),
    123: ("Menu: twilight panel", dict(Ned="Schemeri&ngpaneel", Fra="Panneau du c&répuscule",
                                       Deu="&Dämmerungsansicht", Eng="T&wilight panel",
                                       Ita="Pannello del c&repuscolo", Esp="Panel del c&repúsculo")),
    124: ("Menu: moon panel", dict(Ned="&Maanpaneel", Fra="Panneau de la &lune",
                                   Deu="&Mondansicht", Eng="&Moon panel", Ita="Pannello della &luna",
                                   Esp="Panel de la &luna")),
    # What a screen reader says of a time's change since the day before;
    # {change} is the change as the window shows it ("00:01").
    125: ("Screen reader: earlier", dict(Ned="{change} vroeger dan de dag ervoor",
                                         Fra="{change} plus tôt que la veille",
                                         Deu="{change} früher als am Vortag",
                                         Eng="{change} earlier than the day before",
                                         Ita="{change} prima del giorno precedente",
                                         Esp="{change} antes que el día anterior")),
    126: ("Screen reader: later", dict(Ned="{change} later dan de dag ervoor",
                                       Fra="{change} plus tard que la veille",
                                       Deu="{change} später als am Vortag",
                                       Eng="{change} later than the day before",
                                       Ita="{change} dopo il giorno precedente",
                                       Esp="{change} después que el día anterior")),
    127: ("Screen reader: longer", dict(Ned="{change} langer dan de dag ervoor",
                                        Fra="{change} de plus que la veille",
                                        Deu="{change} länger als am Vortag",
                                        Eng="{change} longer than the day before",
                                        Ita="{change} più lungo del giorno precedente",
                                        Esp="{change} más largo que el día anterior")),
    128: ("Screen reader: shorter", dict(Ned="{change} korter dan de dag ervoor",
                                         Fra="{change} de moins que la veille",
                                         Deu="{change} kürzer als am Vortag",
                                         Eng="{change} shorter than the day before",
                                         Ita="{change} più corto del giorno precedente",
                                         Esp="{change} más corto que el día anterior")),
    129: ("Main: year box", dict(Ned="Jaar", Fra="Année", Deu="Jahr", Eng="Year", Ita="Anno",
                                 Esp="Año")),
    # The light panel: the blue and golden hours and the sun as it is seen.
    150: ("Light panel: morning blue hour", dict(Ned="Blauw uur ochtend", Fra="Heure bleue matin",
                                                 Deu="Blaue Stunde früh", Eng="Morning blue hour",
                                                 Ita="Ora blu mattino", Esp="Hora azul mañana")),
    151: ("Light panel: morning golden hour", dict(Ned="Gouden uur ochtend",
                                                   Fra="Heure dorée matin",
                                                   Deu="Goldene Stunde früh",
                                                   Eng="Morning golden hour",
                                                   Ita="Ora d'oro mattino",
                                                   Esp="Hora dorada mañana")),
    152: ("Light panel: evening golden hour", dict(Ned="Gouden uur avond", Fra="Heure dorée soir",
                                                   Deu="Goldene Stunde abends",
                                                   Eng="Evening golden hour",
                                                   Ita="Ora d'oro sera", Esp="Hora dorada tarde")),
    153: ("Light panel: evening blue hour", dict(Ned="Blauw uur avond", Fra="Heure bleue soir",
                                                 Deu="Blaue Stunde abends", Eng="Evening blue hour",
                                                 Ita="Ora blu sera", Esp="Hora azul tarde")),
    154: ("Light panel: visible sunrise", dict(Ned="Zichtbaar zon op", Fra="Lever visible",
                                               Deu="Sichtbarer Aufgang", Eng="Visible sunrise",
                                               Ita="Alba visibile", Esp="Salida visible")),
    155: ("Light panel: visible sunset", dict(Ned="Zichtbaar zon onder", Fra="Coucher visible",
                                              Deu="Sichtbarer Untergang", Eng="Visible sunset",
                                              Ita="Tramonto visibile", Esp="Puesta visible")),
    156: ("Light panel: its name", dict(Ned="Licht", Fra="Lumière", Deu="Licht", Eng="Light",
                                        Ita="Luce", Esp="Luz")),
}

# The number of rows; the label numbers of the program (i18n/labels.h) follow
# this table. Rows without an entry are written empty, "(not used)".
ROW_COUNT = 157

# The captions of the main window that stand in one column are padded to one
# length with the colon last; the summer-time captions only end in a colon
# (they also open the settings' group captions, where padding would show).
# French puts a space before the colon.
ALIGNED_CAPTIONS = [9, 10, 40, 43, 44, 45, 15]
COLON_CAPTIONS = [13, 14, 32, 33]
# The twilight panel's captions line up among themselves.
TWILIGHT_CAPTIONS = [56, 57, 58, 59]

# The messages replace a caption: beyond this length every caption shrinks.
MESSAGE_LIMIT = 20


def row_of(row):
    return ROWS.get(row, ("(not used)", {}))


def texts_of(lang):
    out = {}
    for row in range(ROW_COUNT):
        _, texts = row_of(row)
        out[row] = texts.get(lang, texts.get("Eng", "")) if lang == "Loc" else texts.get(lang, "")
    space = " " if lang == "Fra" else ""
    width = max(len(out[row]) for row in ALIGNED_CAPTIONS)
    for row in ALIGNED_CAPTIONS:
        out[row] = out[row].ljust(width) + space + ":"
    width = max(len(out[row]) for row in TWILIGHT_CAPTIONS)
    for row in TWILIGHT_CAPTIONS:
        out[row] = out[row].ljust(width) + space + ":"
    for row in COLON_CAPTIONS:
        out[row] = out[row] + space + ":"
    return out


def build_lines():
    lines = []
    lines.append("00-00-Label")
    for row in range(1, ROW_COUNT):
        lines.append(f"00-{row:02d}-{row_of(row)[0]}")
    for column, lang in enumerate(LANGS, start=1):
        texts = texts_of(lang)
        for row in range(ROW_COUNT):
            lines.append(f"{column:02d}-{row:02d}-{texts[row]}")
    return lines


def check(lines):
    assert all(0 <= row < ROW_COUNT for row in ROWS)
    assert len(lines) == 8 * ROW_COUNT, len(lines)
    for lang in LANGS:
        texts = texts_of(lang)
        for row in range(48, 56):
            assert len(texts[row]) <= MESSAGE_LIMIT, (lang, row, texts[row])
        for row in ALIGNED_CAPTIONS + TWILIGHT_CAPTIONS:
            assert len(texts[row]) <= 20, (lang, row, texts[row])


def main():
    lines = build_lines()
    check(lines)
    target = Path(__file__).resolve().parent.parent / "Dawnlabel.txt"
    target.write_bytes(("\r\n".join(lines) + "\r\n").encode("utf-8"))
    print(f"wrote {target} ({len(lines)} lines)")


if __name__ == "__main__":
    main()
