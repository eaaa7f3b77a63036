# Bash completion for vela_typeloomc: option names, the keywords each option takes, installed
# font families for -in, and files of the kind each path option reads.

# Completes the current word from a list of words separated by line breaks.
_vela_typeloomc_words() {
    local IFS=$'\n'
    COMPREPLY=($(compgen -W "$1" -- "$cur"))
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

_vela_typeloomc() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} input= i
    COMPREPLY=()
    for ((i = 1; i < COMP_CWORD - 1; i++)); do
        [[ ${COMP_WORDS[i]} == -i ]] && input=${COMP_WORDS[i + 1]}
    done
    case $prev in
    -i) _vela_typeloomc_words $'image\nbmp\nbofnt\nwin' ;;
    -o) _vela_typeloomc_words $'image\nbmp\nbofnt' ;;
    -ic)
        if [[ $input == win ]]; then
            _vela_typeloomc_words $'I1\nI4\nI6\nIA1\nIA4\nIA6'
        else
            _vela_typeloomc_words $'I4\nI8\nIA4\nIA8\nRGB565\nRGB5A3\nRGBA8'
        fi
        ;;
    -it) _vela_typeloomc_words $'glyph\nkeepsp\nchar\nfixed' ;;
    -oe) _vela_typeloomc_words $'utf8\nutf16\nsjis\ncp1252' ;;
    -oi) _vela_typeloomc_words $'ext\nbmp\ntga' ;;
    -in)
        # Installed families (a font may carry several names, separated by commas), then font
        # files; a family with blanks is completed quoted.
        local family
        _vela_typeloomc_files ttf otf ttc otc
        while IFS= read -r family; do
            [[ $family == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$family")")
        done < <(fc-list --format '%{family}\n' 2>/dev/null | tr ',' '\n' | sort -u)
        ;;
    -if)
        if [[ $input == bofnt ]]; then
            _vela_typeloomc_files bofnt bofna
        else
            _vela_typeloomc_files bmp tga
        fi
        ;;
    -io | -oo) _vela_typeloomc_files xlor ;;
    -op) _vela_typeloomc_files xggp ;;
    -f) _vela_typeloomc_files xllt ;;
    -of) _vela_typeloomc_files ;;
    -is | -isw | -iw | -ieo | -ies | -ow | -oh | -ot | -ob | -ol | -or | -os | -ox | -oa | -oc[bgmnw]) ;;
    *)
        if [[ $cur == -* ]]; then
            _vela_typeloomc_words $'-h\n--help\n--version\n-i\n-o\n-f\n-if\n-io\n-ic\n-ia\n-in\n-is\n-isw\n-it\n-iw\n-ieo\n-ies\n-of\n-oo\n-oi\n-og\n-ow\n-oh\n-ot\n-ob\n-ol\n-or\n-ocb\n-ocg\n-ocm\n-ocw\n-ocn\n-oe\n-op\n-os\n-ox\n-oa'
        fi
        ;;
    esac
}
complete -F _vela_typeloomc vela_typeloomc
