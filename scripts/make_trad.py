# Writes data/trad_stk_secu.txt: French, American English, Brazilian Portuguese.
rows = [
    ("Coût du risque de rupture", "Stock-out Cost", "Custo do risco de ruptura"),
    ("jours / an", "days / year", "dias / ano"),
    ("Jours ouvrés", "Working Days", "Dias úteis"),
    ("Nb Process industriels indépendants", "No. of Independent Processes", "Nº de processos independentes"),
    ("Valorisation de la Production", "Production Value", "Valor da Produção"),
    ("Millions € / an", "Million € / yr", "Milhões € / ano"),
    ("www.example.com", "www.example.com", "www.example.com"),
    ("Nous contacter", "Contact Us", "Fale conosco"),
    ("Paramètres Article", "Part Parameters", "Parâmetros da Peça"),
    ("semaine(s)", "week(s)", "semana(s)"),
    ("Délai moy. d'obtent°", "Avg. Lead Time", "Lead time médio"),
    ("€", "€", "€"),
    ("Prix Standard", "Standard Price", "Preço Padrão"),
    ("heures / an", "hours / yr", "horas / ano"),
    ("Utilisation unitaire", "Unit Usage", "Uso unitário"),
    ("heures", "hours", "horas"),
    ("Durée de vie moyenne", "Average Life", "Vida útil média"),
    ("€ / jour", "€ / day", "€ / dia"),
    ("Nb pièces actives", "Parts in Service", "Peças em serviço"),
    ("Pièce(s)", "Part(s)", "Peça(s)"),
    ("Paramètres Société", "Company Parameters", "Parâmetros da Empresa"),
    ("Coût de Commande", "Ordering Cost", "Custo de Pedido"),
    ("% / mois", "% / month", "% / mês"),
    ("Taux de Stockage", "Holding Cost Rate", "Taxa de Estocagem"),
    ("Résultat calculé", "Calculated Result", "Resultado calculado"),
    ("Paramètre le plus sensible", "Most Sensitive Parameter", "Parâmetro mais sensível"),
    ("Stock de Sécurité", "Safety Stock", "Est. de Segurança"),
    ("Risque", "Risk", "Risco"),
    ("Coût direct", "Direct Cost", "Custo direto"),
    ("Coût de Gestion", "Management Cost", "Custo de Gestão"),
    ("Total", "Total", "Total"),
    ("Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance",
     "Vexa - Safety Stock Calculator for Maintenance Equipment",
     "Vexa - Cálculo de Estoque de Segurança para Equipamentos de Manutenção"),
    # The names of the pictures and of the chart, read by screen readers and shown as tooltips.
    ("Valider", "Confirm", "Confirmar"),
    ("Annuler", "Cancel", "Cancelar"),
    ("Effacer tout", "Clear All", "Limpar tudo"),
    ("Quitter", "Quit", "Sair"),
    ("Aide au calcul du coût du risque de rupture", "Help with the Stock-out Cost",
     "Ajuda no cálculo do custo do risco de ruptura"),
    ("Graphique des coûts par stock de sécurité", "Chart of Costs by Safety Stock",
     "Gráfico dos custos por estoque de segurança"),
    # How firm the recommendation is (field tooltips and the report); %1, %2... are
    # filled in by the program. "\u00a0" is a no-break space.
    ("Stock %1 recommandé de %2 à %3 %4", "Stock %1 recommended from %2 to %3 %4",
     "Estoque %1 recomendado de %2 a %3 %4"),
    ("Stock %1 recommandé à partir de %2 %3, sans limite haute", "Stock %1 recommended from %2 %3 up, no upper limit",
     "Estoque %1 recomendado a partir de %2 %3, sem limite superior"),
    ("Stock %1 recommandé jusqu'à %2 %3, sans limite basse", "Stock %1 recommended up to %2 %3, no lower limit",
     "Estoque %1 recomendado até %2 %3, sem limite inferior"),
    ("Stock %1 recommandé sans limite de %2 à %3 %4", "Stock %1 recommended with no limit from %2 to %3 %4",
     "Estoque %1 recomendado sem limite de %2 a %3 %4"),
    ("en deçà\u00a0: %1", "below: %1", "abaixo: %1"),
    ("au-delà\u00a0: %1", "above: %1", "acima: %1"),
    ("%1\u00a0: %2", "%1: %2", "%1: %2"),
    ("Justification du stock de sécurité", "Safety Stock Justification", "Justificativa do estoque de segurança"),
    ("Édité le %1", "Printed on %1", "Emitido em %1"),
    ("Référence", "Reference", "Referência"),
    ("Désignation", "Description", "Descrição"),
    ("Intervalles de décision", "Decision Ranges", "Intervalos de decisão"),
    ("Chaque paramètre varie seul, les sept autres restant fixes\u00a0; sans limite\u00a0: aucun changement entre "
     "1/1000 et 1000 fois la valeur saisie.",
     "Each parameter varies alone, the other seven held fixed; no limit: no change between 1/1000 and 1000 times "
     "the value entered.",
     "Cada parâmetro varia sozinho, com os outros sete fixos; sem limite: nenhuma mudança entre 1/1000 e 1000 "
     "vezes o valor informado."),
]
assert len(rows) == 51
# The catalogue window: its captions, then the reasons it gives in its state line.
catalogue_rows = [
    ("Catalogue des articles", "Parts Catalog", "Catálogo de peças"),
    ("Stock actuel", "Stock on Hand", "Estoque atual"),
    ("Économie", "Saving", "Economia"),
    ("Filtrer", "Filter", "Filtrar"),
    ("Ajouter", "Add", "Adicionar"),
    ("Dupliquer", "Duplicate", "Duplicar"),
    ("Supprimer", "Delete", "Excluir"),
    ("Annuler la suppression", "Undo Delete", "Desfazer exclusão"),
    ("Nouvel article", "New Part", "Nova peça"),
    ("Impossible d'ouvrir le catalogue", "Cannot open the catalog", "Não foi possível abrir o catálogo"),
    ("Catalogue endommagé, laissé tel quel", "Catalog damaged, left as it is", "Catálogo danificado, deixado como está"),
    ("Catalogue en lecture seule, laissé tel quel", "Catalog is read-only, left as it is",
     "Catálogo somente leitura, deixado como está"),
    ("Catalogue d'une version plus récente du programme, laissé tel quel",
     "Catalog from a newer version of the program, left as it is",
     "Catálogo de uma versão mais recente do programa, deixado como está"),
    ("Ce fichier n'est pas un catalogue, laissé tel quel", "This file is not a catalog, left as it is",
     "Este arquivo não é um catálogo, deixado como está"),
    ("Référence obligatoire", "Reference required", "Referência obrigatória"),
    ("Référence déjà utilisée", "Reference already in use", "Referência já utilizada"),
    ("Référence en double dans l'import", "Reference twice in the import", "Referência repetida na importação"),
    ("Stock actuel invalide", "Invalid stock on hand", "Estoque atual inválido"),
    ("Article introuvable", "Part not found", "Peça não encontrada"),
    ("Article modifié ailleurs entre-temps", "Part changed elsewhere in the meantime",
     "Peça alterada em outro lugar nesse meio-tempo"),
    ("Catalogue occupé, réessayez", "Catalog busy, try again", "Catálogo ocupado, tente novamente"),
    ("Le catalogue a changé depuis l'aperçu de l'import", "The catalog changed since the import preview",
     "O catálogo mudou desde a prévia da importação"),
    ("Erreur du catalogue", "Catalog error", "Erro do catálogo"),
    ("Serveur de catalogue injoignable", "Catalog server unreachable", "Servidor do catálogo inacessível"),
]
assert len(catalogue_rows) == 24
rows += catalogue_rows
# The window's added commands, its chart menu, and what they ask or answer.
command_rows = [
    ("Commandes", "Commands", "Comandos"),
    ("Catalogue…", "Catalog…", "Catálogo…"),
    ("Enregistrer dans le catalogue…", "Save to Catalog…", "Salvar no catálogo…"),
    ("Imprimer…", "Print…", "Imprimir…"),
    ("Exporter en PDF…", "Export PDF…", "Exportar PDF…"),
    ("Copier les résultats", "Copy Results", "Copiar resultados"),
    ("Copier l'image", "Copy Image", "Copiar imagem"),
    ("Enregistrer en PNG…", "Save as PNG…", "Salvar como PNG…"),
    ("Enregistrer en SVG…", "Save as SVG…", "Salvar como SVG…"),
    ("Impossible d'enregistrer\u00a0: %1", "Could not save: %1", "Não foi possível salvar: %1"),
    ("Référence de l'article", "Part reference", "Referência da peça"),
    ("Remplacer les paramètres de l'article %1\u00a0?", "Replace the parameters of part %1?",
     "Substituir os parâmetros da peça %1?"),
    ("Importer CSV…", "Import CSV…", "Importar CSV…"),
    ("Exporter CSV…", "Export CSV…", "Exportar CSV…"),
    ("Import\u00a0: %1 ajouté(s), %2 mis à jour, %3 refusé(s)", "Import: %1 added, %2 updated, %3 refused",
     "Importação: %1 adicionada(s), %2 atualizada(s), %3 recusada(s)"),
]
assert len(command_rows) == 15
rows += command_rows
# The shared catalogue: its dialog, the conflict between two users' changes, the window's state.
# Captions that go together share a row, separated by '|'.
shared_rows = [
    ("Catalogue partagé…", "Shared Catalog…", "Catálogo compartilhado…"),
    ("Serveur|Port|Base de données|Utilisateur|Exiger le chiffrement (TLS)|Se connecter|Catalogue local|Annuler",
     "Server|Port|Database|User|Require encryption (TLS)|Connect|Local Catalog|Cancel",
     "Servidor|Porta|Banco de dados|Usuário|Exigir criptografia (TLS)|Conectar|Catálogo local|Cancelar"),
    ("Le catalogue sur un serveur PostgreSQL, partagé par tous ceux qui s'y connectent. Le mot de passe n'est "
     "jamais enregistré par ce programme\u00a0: il est lu dans votre fichier ~/.pgpass "
     "(serveur:port:base:utilisateur:mot de passe, droits 0600). Le chiffrement est utilisé dès que le serveur "
     "le propose.",
     "The catalog on a PostgreSQL server, shared by everyone who connects to it. This program never stores the "
     "password: it is read from your ~/.pgpass file (server:port:database:user:password, permissions 0600). "
     "Encryption is used whenever the server offers it.",
     "O catálogo em um servidor PostgreSQL, compartilhado por todos que se conectam a ele. Este programa nunca "
     "grava a senha: ela é lida do seu arquivo ~/.pgpass (servidor:porta:banco:usuário:senha, permissões 0600). "
     "A criptografia é usada sempre que o servidor a oferece."),
    ("Article supprimé ailleurs entre-temps", "Part deleted elsewhere in the meantime",
     "Peça excluída em outro lugar nesse meio-tempo"),
    ("Mes valeurs|Valeurs du catalogue|Différent|Garder les miennes|Prendre celles du catalogue|"
     "Continuer la modification",
     "My Values|Catalog Values|Different|Keep Mine|Take the Catalog's|Keep Editing",
     "Meus valores|Valores do catálogo|Diferente|Manter os meus|Usar os do catálogo|Continuar editando"),
    ("Hors ligne|Connexion…|Chargement des articles… %1|Reconnecter", "Offline|Connecting…|Loading parts… %1|Reconnect",
     "Offline|Conectando…|Carregando peças… %1|Reconectar"),
]
assert len(shared_rows) == 6
rows += shared_rows
# A command whose library could not be loaded.
rows.append(("Commande indisponible\u00a0: %1", "Command unavailable: %1", "Comando indisponível: %1"))
assert len(rows) <= 101
data = b"".join("\t".join(r).encode("cp1252") + b"\r\n" for r in rows)
import pathlib
open(pathlib.Path(__file__).resolve().parent.parent / "data" / "trad_stk_secu.txt", "wb").write(data)
