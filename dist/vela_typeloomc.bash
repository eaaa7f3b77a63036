# Bash completion for vela_typeloomc: option names, the keywords each option takes (in any case),
# installed font families and their styles for -in and -inf, shipped definition files by name
# and files of the kind each path option reads.
#
# Every reply is a plain name: readline quotes it once as it inserts it (-o filenames), inside
# the quote the user opened or with backslashes. A colon ends a word for readline, so after
# "Family:" only the style is replied.

# Completes the current word from a list of words separated by line breaks, in any case.
_vela_typeloomc_words() {
    local IFS=$'\n' word
    COMPREPLY=()
    for word in $1; do
        [[ ${word,,} == "${cur,,}"* ]] && COMPREPLY+=("$word")
    done
}

# Completes files whose extension is one of the arguments (any case), and folders to walk into.
_vela_typeloomc_files() {
    compopt -o filenames 2>/dev/null
    local IFS=$'\n' file extension
    COMPREPLY=()
    for file in $(compgen -f -- "$cur"); do
        if [[ -d $file || $# -eq 0 ]]; then
            COMPREPLY+=("$file")
            continue
        fi
        for extension; do
            if [[ ${file,,} == *."$extension" ]]; then
                COMPREPLY+=("$file")
                break
            fi
        done
    done
}

# The word as the user means it: without the quote they opened, without backslash escapes.
_vela_typeloomc_unquoted() {
    case $1 in
    \"*) printf '%s' "${1#\"}" ;;
    \'*) printf '%s' "${1#\'}" ;;
    *) printf '%s' "${1//\\/}" ;;
    esac
}

# Adds the shipped definition files of one extension that the program takes by name.
_vela_typeloomc_shipped() {
    local name rest
    while read -r name rest; do
        [[ ${name,,} == *."$1" && $name == "$cur"* ]] && COMPREPLY+=("$name")
    done < <("$program" --list-files 2>/dev/null | grep '^  ')
}

# Adds installed faces: "Family:Style" lines as the program lists them, or the families alone.
_vela_typeloomc_faces() {
    compopt -o filenames 2>/dev/null
    local faces face word
    faces=$("$program" --list-fonts 2>/dev/null) ||
        faces=$(fc-list --format '%{family}\n' 2>/dev/null | tr ',' '\n')
    if [[ -n $family ]]; then
        # The style of "Family:" (readline completes only what follows the colon).
        while IFS= read -r face; do
            [[ $face == "$family:$style"* ]] && COMPREPLY+=("${face#"$family:"}")
        done <<<"$faces"
        return
    fi
    word=$(_vela_typeloomc_unquoted "$cur")
    # Inside quotes readline does not break at the colon, so a style is completed whole there;
    # before any colon the families alone are offered.
    [[ $word != *:* ]] && faces=$(sed 's/:.*//' <<<"$faces" | sort -u)
    while IFS= read -r face; do
        [[ -n $face && $face == "$word"* ]] && COMPREPLY+=("$face")
    done <<<"$faces"
}

_vela_typeloomc() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} input= i
    local program=${COMP_WORDS[0]} family= style=
    COMPREPLY=()
    for ((i = 1; i < COMP_CWORD - 1; i++)); do
        [[ ${COMP_WORDS[i]} == -i ]] && input=${COMP_WORDS[i + 1]}
    done
    # "Family:" after -in or -inf, split off by the colon: the option stands before the family.
    local before= option=
    ((COMP_CWORD >= 3)) && before=${COMP_WORDS[COMP_CWORD - 2]}
    ((COMP_CWORD >= 4)) && option=${COMP_WORDS[COMP_CWORD - 3]}
    if [[ $cur == : && ($before == -in || $before == -inf) ]]; then
        family=$(_vela_typeloomc_unquoted "$prev")
        prev=$before
        cur=
    elif [[ $prev == : && ($option == -in || $option == -inf) ]]; then
        family=$(_vela_typeloomc_unquoted "$before")
        style=$(_vela_typeloomc_unquoted "$cur")
        prev=$option
    fi
    case $prev in
    -i) _vela_typeloomc_words $'image\nbmp\nbofnt\nwin\nfnt' ;;
    -o) _vela_typeloomc_words $'image\nbmp\nbofnt\nfnt' ;;
    -ic)
        if [[ $input == win ]]; then
            _vela_typeloomc_words $'I1\nI4\nI6\nIA1\nIA4\nIA6'
        else
            _vela_typeloomc_words $'I4\nI8\nIA4\nIA8\nRGB565\nRGB5A3\nRGBA8'
        fi
        ;;
    -it) _vela_typeloomc_words $'glyph\nkeepsp\nchar\nfixed' ;;
    -oe) _vela_typeloomc_words $'utf8\nutf16\nsjis\ncp1252' ;;
    -oi) _vela_typeloomc_words $'ext\nbmp\ntga\npng' ;;
    -in | -inf)
        if [[ -n $family ]]; then
            _vela_typeloomc_faces
        else
            _vela_typeloomc_files ttf otf ttc otc
            _vela_typeloomc_faces
        fi
        ;;
    -if)
        if [[ $input == bofnt ]]; then
            _vela_typeloomc_files bofnt bofna
        elif [[ $input == fnt ]]; then
            _vela_typeloomc_files fnt xml
        else
            _vela_typeloomc_files bmp tga png
        fi
        ;;
    -io | -oo)
        _vela_typeloomc_files xlor
        _vela_typeloomc_shipped xlor
        ;;
    -op)
        _vela_typeloomc_files xggp
        _vela_typeloomc_shipped xggp
        ;;
    -f)
        _vela_typeloomc_files xllt
        _vela_typeloomc_shipped xllt
        ;;
    -of) _vela_typeloomc_files ;;
    -is | -isw | -iw | -ieo | -ies | -ow | -oh | -ot | -ob | -ol | -or | -os | -ox | -oa | -oc[bgmnw]) ;;
    *)
        if [[ $cur == -* ]]; then
            _vela_typeloomc_words $'-h\n--help\n--version\n--list-fonts\n--list-files\n-i\n-o\n-f\n-if\n-io\n-ic\n-ia\n-in\n-inf\n-is\n-isw\n-it\n-iw\n-ieo\n-ies\n-of\n-oo\n-oi\n-og\n-ow\n-oh\n-ot\n-ob\n-ol\n-or\n-ocb\n-ocg\n-ocm\n-ocw\n-ocn\n-oe\n-op\n-os\n-ox\n-oa\n-ofx\n-ofb'
        fi
        ;;
    esac
}
complete -F _vela_typeloomc vela_typeloomc
