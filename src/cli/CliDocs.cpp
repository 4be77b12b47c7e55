// SPDX-License-Identifier: MIT
#include "cli/CliDocs.h"

#include "dataset/ManagerInfo.h"

#include <QHash>
#include <algorithm>

namespace clidocs {

namespace {

// Cyrillic for a terminal that cannot show it: the page reads "Sozdat' patch!".
QString transliterated(const QString& text) {
    static const QHash<QChar, QString> letters = [] {
        const QString cyrillic = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        const QStringList latin{"a",  "b",  "v",  "g",  "d",    "e", "e", "zh", "z", "i",  "j",
                                "k",  "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f",
                                "kh", "ts", "ch", "sh", "shch", "",  "y", "'",  "e", "yu", "ya"};
        QHash<QChar, QString> map;
        for (qsizetype i = 0; i < cyrillic.size(); ++i) {
            map.insert(cyrillic[i], latin[i]);
        }
        return map;
    }();
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            out += c;
        } else if (const auto it = letters.find(c.toLower()); it != letters.end()) {
            out += c.isUpper() && !it->isEmpty() ? it->front().toUpper() + it->mid(1) : *it;
        } else {
            out += QLatin1Char('?');
        }
    }
    return out;
}

// Text for a troff text line: backslashes and minus signs escaped, a leading
// control character made text, other characters than ASCII as \[uXXXX].
QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            out += QStringLiteral("\\e");
        } else if (c == QLatin1Char('-')) {
            out += QStringLiteral("\\-");
        } else if (c.unicode() >= 0x80) {
            out += QStringLiteral("\\[u") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')) +
                   QLatin1Char(']');
        } else {
            out += c;
        }
    }
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\''))) {
        out.prepend(QStringLiteral("\\&"));
    }
    return out;
}

// A sentence as text lines; with other characters than ASCII, a terminal that
// can show them gets them and any other their transliteration, so that no
// device warns of a character it lacks.
void printText(QTextStream& out, const QString& text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        out << escaped(text) << '\n';
        return;
    }
    out << ".ie '\\*[.T]'utf8' " << escaped(text) << '\n'
        << ".el " << escaped(transliterated(text)) << '\n';
}

QString sentence(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    return text.front().toUpper() + text.mid(1) + (text.endsWith(QLatin1Char('.')) ? "" : ".");
}

// A usage line or term in the man style: options and literal words bold,
// value names italic, brackets roman.
QString styled(const QString& line) {
    QStringList words;
    for (QString word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString before;
        QString after;
        while (word.startsWith(QLatin1Char('['))) {
            before += word.front();
            word.remove(0, 1);
        }
        while (word.endsWith(QLatin1Char(']')) || word.endsWith(QLatin1Char(','))) {
            after.prepend(word.back());
            word.chop(1);
        }
        const bool value = !word.isEmpty() && word == word.toUpper() &&
                           !word.startsWith(QLatin1Char('-')) && word.front().isLetter();
        words.append(escaped(before) + (value ? "\\fI" : "\\fB") + escaped(word) + "\\fR" +
                     escaped(after));
    }
    return words.join(QLatin1Char(' '));
}

void printItems(QTextStream& out, const QList<CliHelpItem>& items) {
    for (const CliHelpItem& item : items) {
        out << ".TP\n" << styled(item.term) << '\n';
        printText(out, sentence(item.text));
    }
}

// The shell's word for what completes a value.
QString completionKind(const CliHelpItem& item) {
    switch (item.valueKind()) {
    case CliValue::Auto:
    case CliValue::Text:
        return QStringLiteral("text");
    case CliValue::File:
        return QStringLiteral("file");
    case CliValue::Dir:
        return QStringLiteral("dir");
    case CliValue::Words:
        return QStringLiteral("words:") + item.valueName().split(QLatin1Char('|')).join(' ');
    case CliValue::Slot:
        return QStringLiteral("slot");
    case CliValue::Firmware:
        return QStringLiteral("firmware");
    }
    return QStringLiteral("text");
}

const char* const kCompletionFunctions =
    R"bash(# SPDX-License-Identifier: MIT
# Bash completion for tarvex-cli, made by "tarvex-cli --bash-completion" from
# the program's own table of commands and options.

# The firmware ids of the user folder: its folders that hold a Data folder.
_tarvex_cli_firmwares() {
    local folder=${XDG_DATA_HOME:-$HOME/.local/share}/Tarvex i
    for ((i = 0; i < ${#_tarvex_cli_global[@]}; i++)); do
        case ${_tarvex_cli_global[i]} in
        --user-folder) folder=${_tarvex_cli_global[i + 1]} ;;
        --user-folder=*) folder=${_tarvex_cli_global[i]#--user-folder=} ;;
        esac
    done
    local data
    for data in "$folder"/*/Data; do
        [[ -d $data ]] && basename -- "${data%/Data}"
    done
}

# What completes a value of that kind.
_tarvex_cli_value() {
    case $1 in
    file) _filedir ;;
    dir) _filedir -d ;;
    firmware) COMPREPLY=($(compgen -W "$(_tarvex_cli_firmwares)" -- "$cur")) ;;
    slot)
        # The slots the data set has, as "slots" lists them; for "volume"
        # only those with a volume (a number in the last column).
        local manager=melodies filter='{ print $1 }'
        case ${_tarvex_cli_args[0]} in
        @MANAGERS@) manager=${_tarvex_cli_args[0]} ;;
        esac
        [[ $command == volume ]] && filter='$NF ~ /^[0-9]+$/ { print $1 }'
        COMPREPLY=($(compgen -W "$("${words[0]}" "${_tarvex_cli_global[@]}" slots "$manager" \
            2>/dev/null | awk -F '\t' "$filter")" -- "$cur"))
        ;;
    words:*) COMPREPLY=($(compgen -W "${1#words:}" -- "$cur")) ;;
    esac
}

_tarvex_cli() {
    local cur prev words cword split
    _init_completion -s || return

    # The program options given and the command's arguments so far, seen by
    # the functions called from here.
    local command="" i ended="" _tarvex_cli_global=() _tarvex_cli_args=()
    for ((i = 1; i < cword; i++)); do
        local word=${words[i]}
        if [[ -z $command ]]; then
            case $word in
            --user-folder | --firmware)
                _tarvex_cli_global+=("$word" "${words[i + 1]}")
                ((i++))
                ;;
            --user-folder=* | --firmware=*) _tarvex_cli_global+=("$word") ;;
            -*) ;;
            *) command=$word ;;
            esac
        elif [[ -z $ended && $word == -- ]]; then
            ended=1
        elif [[ -z $ended && $word == -?* ]]; then
            [[ -n $(_tarvex_cli_option_kind "$command" "$word") ]] && ((i++))
        else
            _tarvex_cli_args+=("$word")
        fi
    done

    local kind
    if [[ -z $command ]]; then
        kind=$(_tarvex_cli_option_kind "" "$prev")
        if [[ -n $kind ]]; then
            _tarvex_cli_value "$kind"
        elif [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$(_tarvex_cli_options "")" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "@COMMANDS@" -- "$cur"))
        fi
        return
    fi
    if [[ -z $ended ]]; then
        kind=$(_tarvex_cli_option_kind "$command" "$prev")
        if [[ -n $kind ]]; then
            _tarvex_cli_value "$kind"
            return
        fi
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$(_tarvex_cli_options "$command")" -- "$cur"))
            return
        fi
    fi
    _tarvex_cli_value "$(_tarvex_cli_argument_kind "$command" ${#_tarvex_cli_args[@]})"
}
)bash";

} // namespace

void printManualSections(QTextStream& out, const QList<CliCommand>& commands) {
    out << ".SH OPTIONS\n";
    printItems(out, cli::programOptions());
    out << ".SH COMMANDS\n";
    for (const CliCommand& command : commands) {
        out << ".TP\n" << styled(command.synopsis) << '\n';
        printText(out, sentence(command.summary));
        if (!command.items.isEmpty()) {
            out << ".RS\n";
            printItems(out, command.items);
            out << ".RE\n";
        }
    }
}

void printBashCompletion(QTextStream& out, const QList<CliCommand>& commands) {
    QStringList names;
    for (const CliCommand& command : commands) {
        names.append(command.name);
    }
    QStringList managers;
    for (const ManagerInfo* info : managers::all()) {
        managers.append(info->id);
    }
    out << QString::fromUtf8(kCompletionFunctions)
               .replace(QStringLiteral("@COMMANDS@"), names.join(' '))
               .replace(QStringLiteral("@MANAGERS@"), managers.join(QStringLiteral(" | ")));

    // Per command (the program itself as ""): its options, what completes
    // the value of each option that takes one, and what each argument is.
    QList<std::pair<QString, QList<CliHelpItem>>> tables{{QString(), cli::programOptions()}};
    for (const CliCommand& command : commands) {
        tables.append({command.name, command.items + QList<CliHelpItem>{cli::helpOption()}});
    }
    out << "\n# The options of a command (none: the program's own).\n"
        << "_tarvex_cli_options() {\n    case $1 in\n";
    for (const auto& [name, items] : tables) {
        QStringList options;
        for (const CliHelpItem& item : items) {
            options += item.names();
        }
        out << "    \"" << name << "\") echo \"" << options.join(' ') << "\" ;;\n";
    }
    out << "    esac\n}\n\n# What completes the value of an option; nothing for a flag.\n"
        << "_tarvex_cli_option_kind() {\n    case \"$1 $2\" in\n";
    for (const auto& [name, items] : tables) {
        for (const CliHelpItem& item : items) {
            if (!item.takesValue()) {
                continue;
            }
            QStringList cases;
            for (const QString& option : item.names()) {
                cases.append(QStringLiteral("\"%1 %2\"").arg(name, option));
            }
            out << "    " << cases.join(QStringLiteral(" | ")) << ") echo \""
                << completionKind(item) << "\" ;;\n";
        }
    }
    out << "    esac\n}\n\n# What completes the argument at that place (from 0).\n"
        << "_tarvex_cli_argument_kind() {\n    case \"$1 $2\" in\n";
    for (const CliCommand& command : commands) {
        int place = 0;
        const CliHelpItem* last = nullptr;
        for (const CliHelpItem& item : command.items) {
            if (!item.isOption()) {
                out << "    \"" << command.name << ' ' << place++ << "\") echo \""
                    << completionKind(item) << "\" ;;\n";
                last = &item;
            }
        }
        // "PATCH...": the last argument takes any number of words.
        if (last && command.synopsis.contains(last->valueName() + QStringLiteral("..."))) {
            out << "    \"" << command.name << " \"*) echo \"" << completionKind(*last)
                << "\" ;;\n";
        }
    }
    out << "    esac\n}\n\ncomplete -F _tarvex_cli tarvex-cli\n";
}

} // namespace clidocs
